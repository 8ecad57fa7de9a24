#pragma once
// The answers of a careful user to what the add-in asks in a batch run: the questions of its
// message boxes and its small dialogs. The program's commands script the options and main
// dialogs themselves.

#include "ui/script/backend.h"

namespace app {

/// How far the user goes along with what the add-in offers.
struct Answers {
  bool yes = false;           // --yes: every question answered Yes
  bool moveArticles = false;  // --move-articles: quotes moved behind the articles offered
};

/// Scripts the user's answers: a careful user says No to highlighting stray quotes and to
/// another quote style (and cancels that dialog), stops rather than index past quotes that
/// do not pair up, cancels the article dialog, and confirms the update of an index. Whatever
/// the answers, the add-in's offer to save the document before a search is declined: the
/// input file is written only by --in-place, once the command has succeeded.
void answerAsCarefulUser(ui::script::Backend& user, const Answers& answers);

/// The control of a form found by name (and index, for control arrays); BatchFailure
/// (internal) when the form has no such control.
ui::Control& control(ui::Form& form, const char* name, int index = -1);

}  // namespace app
