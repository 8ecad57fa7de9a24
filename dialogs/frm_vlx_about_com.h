#pragma once
// frmVLXAbout_COM, the About box: the logo, the product name, the version of this build and
// the notice, closed by its one button.

#include <string>

#include "ui/controls.h"
#include "ui/form.h"

namespace dialogs {

/// The About box.
class frmVLXAbout_COM : public ui::Form {
 public:
  /// An unloaded, hidden About box.
  frmVLXAbout_COM();

  /// Takes the close box away from the window captioned strCaption and remembers it.
  void DisableXButton(const std::string& strCaption);
  /// The window DisableXButton found, nullptr for none.
  ui::Form* Handle() const { return handle_; }

  ui::Image Image1{*this, "Image1"};
  ui::Label Label1{*this, "Label1"};
  ui::CommandButton cmdOK{*this, "cmdOK"};

 protected:
  /// Composes the text and shows the logo.
  void Form_Load() override;
  /// The title bar's close box hides the box before it goes.
  void Form_QueryUnload(int& cancel, int unloadMode) override;

 private:
  ui::Form* handle_ = nullptr;
};

/// The add-in's version as major.minor.revision (the build number is not shown).
std::string AddinVersion();

/// The text of the About box, lines separated by CR LF.
std::string AboutText();

/// The logo picture: "vellandex-logo.svg" among the help pages; "" when it is missing.
std::string LogoPath();

}  // namespace dialogs
