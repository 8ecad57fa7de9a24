#pragma once
// The help links both dialogs carry: the Help menu with its topics, the FAQ and the About
// box, and the two clickable labels "Help - click here" and "FAQs - click here", which show
// the hand pointer.

#include "ui/controls.h"
#include "ui/form.h"

namespace dialogs {

/// The help topic of "Getting started", the help button and the help label.
inline constexpr int kGettingStartedTopic = 7;

/// The help menu and help labels of a form, created on that form with their actions.
class HelpControls {
 public:
  /// Creates the menu (its first item captioned "Getting started") and the two labels.
  explicit HelpControls(ui::Form& form);
  HelpControls(const HelpControls&) = delete;
  HelpControls& operator=(const HelpControls&) = delete;

  ui::Label lblHelpClick;
  ui::Label lblFAQClick;
  ui::Menu mnuHelp;
  ui::Menu cmdGettingStarted;
  ui::Menu cmdCreate;
  ui::Menu cmdDelete;
  ui::Menu cmdNoHighlight;
  ui::Menu cmdUpdate;
  ui::Menu cmdLists;
  ui::Menu cmdOptions;
  ui::Menu cmdFAQ;
  ui::Menu cmdAbout;
};

/// Shows the About box modally over the dialog on screen and unloads it when it closes.
void ShowAboutBox();

}  // namespace dialogs
