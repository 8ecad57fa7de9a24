#include "app/careful_user.h"

#include <algorithm>
#include <string>

#include "app/batch_failure.h"
#include "app/exit_codes.h"
#include "ui/list_controls.h"
#include "ui/message_box.h"
#include "ui/script/user.h"

namespace app {

ui::Control& control(ui::Form& form, const char* name, int index) {
  ui::Control* c = form.FindControl(name, index);
  if (!c) throw BatchFailure{kExitInternal, std::string("the dialog ") + form.Name() + " has no " + name};
  return *c;
}

void answerAsCarefulUser(ui::script::Backend& user, const Answers& answers) {
  const int yesOrNo = answers.yes ? ui::vbYes : ui::vbNo;
  user.Answer("Save document", ui::vbNo);
  user.Answer("Mis-matched double quotes", yesOrNo);
  user.Answer("Do you want to change which kind of double quotes", yesOrNo);
  user.Answer("Update only?", ui::vbYes);
  user.AnswerOthers([yes = answers.yes](const ui::Message& message) {
    const std::vector<int> offered = message.Results();
    if (yes && std::find(offered.begin(), offered.end(), ui::vbYes) != offered.end()) return ui::vbYes;
    return message.DefaultResult();
  });
  // A batch user has no other quote style to offer than the one the options give.
  user.OnModal("frmVLXChangeQuotes", [](ui::Form& form) { ui::script::Click(control(form, "cmdCancel")); });
  user.OnModal("frmVLXRemoveArticles", [move = answers.moveArticles](ui::Form& form) {
    if (!move) {
      ui::script::Click(control(form, "cmdCancel"));
      return;
    }
    if (auto* terms = dynamic_cast<ui::ListBox*>(form.FindControl("lstTerms")))
      for (int i = 0; i < terms->ListCount(); ++i) terms->SetSelected(i, true);
    ui::script::Click(control(form, "cmdOK"));
  });
}

}  // namespace app
