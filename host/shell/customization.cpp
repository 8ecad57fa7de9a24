#include "host/shell/customization.h"

#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/platform/error.h"
#include "host/platform/files.h"
#include "host/platform/warnings.h"

namespace host {

namespace {

using nlohmann::json;

constexpr int kFormatVersion = 1;

// A kept control as the file holds it.
struct KeptControl {
  int type = msoControlButton;
  int id = 0;  // 0 for a custom control
  std::string caption, tag;
  bool beginGroup = false;
  bool visible = true;
  int style = msoButtonAutomatic;
  std::vector<KeptControl> controls;
};

json toJson(CommandBarControls controls) {
  json out = json::array();
  for (long i = 1; i <= controls.Count(); ++i) {
    CommandBarControl c = controls.Item(i);
    if (c.Temporary()) continue;
    json j = {{"type", c.Type()},  {"id", c.BuiltIn() ? c.Id() : 0}, {"caption", c.Caption()},
              {"tag", c.Tag()},    {"beginGroup", c.BeginGroup()},   {"visible", c.Visible()},
              {"style", c.Style()}};
    if (c.Type() == msoControlPopup) j["controls"] = toJson(c.Controls());
    out.push_back(std::move(j));
  }
  return out;
}

// Reads one control; std::runtime_error (from here or from the JSON library) when malformed.
KeptControl readControl(const json& j) {
  if (!j.is_object()) throw std::runtime_error("a control is not an object");
  KeptControl c;
  c.type = j.at("type").get<int>();
  if (c.type != msoControlButton && c.type != msoControlPopup) throw std::runtime_error("a control of unknown type");
  c.id = j.value("id", 0);
  c.caption = j.value("caption", "");
  c.tag = j.value("tag", "");
  c.beginGroup = j.value("beginGroup", false);
  c.visible = j.value("visible", true);
  c.style = j.value("style", static_cast<int>(msoButtonAutomatic));
  if (c.style < msoButtonAutomatic || c.style > msoButtonIconAndCaption) throw std::runtime_error("a bad button style");
  if (auto it = j.find("controls"); it != j.end()) {
    if (!it->is_array()) throw std::runtime_error("\"controls\" is not a list");
    for (const json& child : *it) c.controls.push_back(readControl(child));
  }
  return c;
}

// Adds a control; one the host no longer knows (a built-in id it lacks) is left out.
void addTo(CommandBarControls controls, const KeptControl& kept, const std::filesystem::path& file) {
  CommandBarControl c;
  try {
    c = controls.Add(kept.type, kept.id, 0, false);
  } catch (const Error& e) {
    WarnSettings(file.string() + ": a control is left out (" + e.description() + ")");
    return;
  }
  c.SetCaption(kept.caption);
  c.SetTag(kept.tag);
  c.SetBeginGroup(kept.beginGroup);
  c.SetVisible(kept.visible);
  c.SetStyle(kept.style);
  if (c.Type() == msoControlPopup)
    for (const KeptControl& child : kept.controls) addTo(c.Controls(), child, file);
}

}  // namespace

void CustomizationContext::Load() {
  if (!file_) return;
  std::error_code ec;
  if (!std::filesystem::exists(*file_, ec)) return;
  std::optional<std::string> text = ReadWholeFile(*file_);
  if (!text) {
    WarnSettings(file_->string() + " cannot be read; menus and toolbars start without customizations.");
    return;
  }
  // Everything is read and checked before anything is added, so a bad file adds nothing.
  std::vector<std::pair<CommandBar, std::vector<KeptControl>>> bars;
  try {
    json j = json::parse(*text);
    if (j.value("version", 0) != kFormatVersion) throw std::runtime_error("unknown version");
    for (const auto& [name, controls] : j.at("bars").items()) {
      if (!controls.is_array()) throw std::runtime_error("the controls of \"" + name + "\" are not a list");
      std::vector<KeptControl> kept;
      for (const json& c : controls) kept.push_back(readControl(c));
      bars.emplace_back(bars_.Item(name), std::move(kept));
    }
  } catch (const std::exception& e) {
    WarnSettings(file_->string() + " is not a valid customization file (" + e.what() +
                 "); menus and toolbars start without customizations.");
    return;
  }
  for (const auto& [bar, kept] : bars)
    for (const KeptControl& c : kept) addTo(bar.Controls(), c, *file_);
  bars_.setUnsavedChanges(false);
}

void CustomizationContext::Save() {
  if (file_) {
    json j = {{"version", kFormatVersion}, {"bars", json::object()}};
    for (long i = 1; i <= bars_.Count(); ++i) {
      CommandBar bar = bars_.Item(i);
      json controls = toJson(bar.Controls());
      if (!controls.empty()) j["bars"][bar.Name()] = std::move(controls);
    }
    WriteFileAtomically(*file_, j.dump(2) + "\n");
  }
  bars_.setUnsavedChanges(false);
}

}  // namespace host
