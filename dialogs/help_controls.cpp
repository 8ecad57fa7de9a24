#include "dialogs/help_controls.h"

#include "dialogs/frm_vlx_about_com.h"
#include "util/help.h"

namespace dialogs {
namespace {

void OpensTopic(ui::Control& control, int topic) {
  control.Click = [topic] { util::ShowHelpTopic(topic); };
}

}  // namespace

HelpControls::HelpControls(ui::Form& form)
    : lblHelpClick(form, "lblHelpClick"),
      lblFAQClick(form, "lblFAQClick"),
      mnuHelp(form, "mnuHelp"),
      cmdGettingStarted(form, "cmdGettingStarted"),
      cmdCreate(form, "cmdCreate"),
      cmdDelete(form, "cmdDelete"),
      cmdNoHighlight(form, "cmdNoHighlight"),
      cmdUpdate(form, "cmdUpdate"),
      cmdLists(form, "cmdLists"),
      cmdOptions(form, "cmdOptions"),
      cmdFAQ(form, "cmdFAQ"),
      cmdAbout(form, "cmdAbout") {
  lblHelpClick.SetCaption("Help - click here");
  lblFAQClick.SetCaption("FAQs - click here");
  lblHelpClick.SetMousePointer(ui::vbCustom);
  lblFAQClick.SetMousePointer(ui::vbCustom);
  mnuHelp.SetCaption("&Help");
  for (ui::Menu* item : {&cmdGettingStarted, &cmdCreate, &cmdDelete, &cmdNoHighlight, &cmdUpdate, &cmdLists,
                         &cmdOptions, &cmdFAQ, &cmdAbout})
    item->SetContainer(&mnuHelp);
  cmdGettingStarted.SetCaption("Getting started");
  cmdCreate.SetCaption("Create index");
  cmdDelete.SetCaption("Delete index");
  cmdNoHighlight.SetCaption("Remove highlighting");
  cmdUpdate.SetCaption("Update index");
  cmdLists.SetCaption("Save and load lists");
  cmdOptions.SetCaption("Options");
  cmdFAQ.SetCaption("FAQ");
  cmdAbout.SetCaption("&About");

  OpensTopic(lblHelpClick, kGettingStartedTopic);
  OpensTopic(cmdGettingStarted, kGettingStartedTopic);
  OpensTopic(cmdCreate, 11);
  OpensTopic(cmdDelete, 12);
  OpensTopic(cmdNoHighlight, 13);
  OpensTopic(cmdUpdate, 14);
  OpensTopic(cmdLists, 15);
  OpensTopic(cmdOptions, 17);
  lblFAQClick.Click = [] { util::ShowFaq(); };
  cmdFAQ.Click = [] { util::ShowFaq(); };
  cmdAbout.Click = [] { ShowAboutBox(); };
}

void ShowAboutBox() {
  frmVLXAbout_COM about;
  about.Show(ui::vbModal);
  about.Unload();
}

}  // namespace dialogs
