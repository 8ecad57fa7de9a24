#pragma once
// frmVLXOptions, the options dialog the find-and-index run shows first: the option controls
// of the main dialog in two frames, and the buttons Search, Cancel and Set as defaults.

#include "dialogs/option_controls.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace dialogs {

/// The options dialog; its Tag is "OK" after Search and "Cancel" after Cancel.
class frmVLXOptions : public ui::Form, public OptionControls {
 public:
  /// An unloaded, hidden dialog with every control.
  frmVLXOptions();

  ui::ControlArray<ui::Frame> fraIndex{*this, "fraIndex", 2};  // search options, index options
  ui::Frame fraTab{*this, "fraTab"};
  ui::Label lblReadme{*this, "lblReadme"};
  ui::Label lblHelpClick{*this, "lblHelpClick"};
  ui::Label lblFAQClick{*this, "lblFAQClick"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};
  ui::CommandButton cmdSetDefaults{*this, "cmdSetDefaults"};
  ui::Menu mnuHelp{*this, "mnuHelp"};
  ui::Menu cmdGettingStarted{*this, "cmdGettingStarted"};
  ui::Menu cmdCreate{*this, "cmdCreate"};
  ui::Menu cmdDelete{*this, "cmdDelete"};
  ui::Menu cmdNoHighlight{*this, "cmdNoHighlight"};
  ui::Menu cmdUpdate{*this, "cmdUpdate"};
  ui::Menu cmdLists{*this, "cmdLists"};
  ui::Menu cmdOptions{*this, "cmdOptions"};
  ui::Menu cmdFAQ{*this, "cmdFAQ"};
  ui::Menu cmdAbout{*this, "cmdAbout"};
};

}  // namespace dialogs
