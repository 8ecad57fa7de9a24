#pragma once
// frmVLXOptions, the options dialog the find-and-index run shows first: the option controls
// of the main dialog in two frames, and the buttons Search, Cancel and Set as defaults.

#include "dialogs/help_controls.h"
#include "dialogs/option_controls.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace dialogs {

/// The options dialog; its Tag is "OK" after Search and "Cancel" after Cancel or its close box.
class frmVLXOptions : public ui::Form, public OptionControls, public HelpControls {
 public:
  /// An unloaded, hidden dialog with every control laid out and wired.
  frmVLXOptions();

  ui::ControlArray<ui::Frame> fraIndex{*this, "fraIndex", 2};  // search options, index options
  ui::Frame fraTab{*this, "fraTab"};
  ui::Label lblReadme{*this, "lblReadme"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};
  ui::CommandButton cmdSetDefaults{*this, "cmdSetDefaults"};

 protected:
  /// Closing the window through its title bar cancels, as the Cancel button does.
  void Form_QueryUnload(int& cancel, int unloadMode) override;

 private:
  void LayOut();
};

}  // namespace dialogs
