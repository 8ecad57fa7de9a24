#include "dialogs/frm_vlx_about_com.h"

#include <system_error>

#include "util/help.h"
#include "util/window.h"

namespace dialogs {

frmVLXAbout_COM::frmVLXAbout_COM() : ui::Form("frmVLXAbout_COM") {
  SetCaption("About");
  SetSize(420, 236);
  Image1.Move(16, 16, 64, 64);
  Label1.Move(100, 16, 304, 168);
  cmdOK.SetCaption("OK");
  cmdOK.Move(320, 194, 84, 30);
  cmdOK.SetDefault(true);
  cmdOK.SetCancel(true);
  cmdOK.Click = [this] { Hide(); };
  SetTabOrder({&cmdOK});
}

void frmVLXAbout_COM::DisableXButton(const std::string& strCaption) { handle_ = util::DisableXButton(strCaption); }

void frmVLXAbout_COM::Form_Load() {
  Label1.SetCaption(AboutText());
  Image1.SetPicture(LogoPath());
}

void frmVLXAbout_COM::Form_QueryUnload(int& /*cancel*/, int unloadMode) {
  if (unloadMode == ui::vbFormControlMenu) Hide();
}

std::string AddinVersion() {
  return std::to_string(VLX_VERSION_MAJOR) + "." + std::to_string(VLX_VERSION_MINOR) + "." +
         std::to_string(VLX_VERSION_REVISION);
}

std::string AboutText() {
  const std::string crlf = "\r\n";
  return "Vellandex\u2122" + crlf + crlf + "Version " + AddinVersion() + crlf + crlf + VLX_ABOUT_NOTICE + crlf + crlf +
         "Please report problems at:" + crlf + VLX_REPORT_ADDRESS;
}

std::string LogoPath() {
  const std::filesystem::path folder = util::HelpFolder();
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_regular_file(folder / "vellandex-logo.svg", error)) return {};
  return (folder / "vellandex-logo.svg").string();
}

}  // namespace dialogs
