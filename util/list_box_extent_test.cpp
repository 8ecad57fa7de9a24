#include "util/list_box_extent.h"

#include <gtest/gtest.h>

#include "ui/script/backend.h"

namespace util {
namespace {

// The scripted backend measures 8 pixels a character.
struct TermsForm : ui::Form {
  TermsForm() : ui::Form("frmVLX_COM") {}
  ui::ListBox lstAddTerms{*this, "lstAddTerms"};
};

TEST(SetListBoxExtent, FitsTheWidestStringPlusOneWWhenAsked) {
  ui::script::Backend backend;
  TermsForm form;
  SetListBoxExtent(form, form.lstAddTerms, {"Term", "Agreement", "Party"}, false);
  EXPECT_EQ(form.lstAddTerms.HorizontalExtent(), 72);
  SetListBoxExtent(form, form.lstAddTerms, {"Term", "Agreement", "Party"}, true);
  EXPECT_EQ(form.lstAddTerms.HorizontalExtent(), 80);
}

TEST(SetListBoxExtent, AnEmptyListGetsNothingOrOneW) {
  ui::script::Backend backend;
  TermsForm form;
  SetListBoxExtent(form, form.lstAddTerms, {}, false);
  EXPECT_EQ(form.lstAddTerms.HorizontalExtent(), 0);
  SetListBoxExtent(form, form.lstAddTerms, {}, true);
  EXPECT_EQ(form.lstAddTerms.HorizontalExtent(), 8);
}

TEST(SetListBoxExtent, DeletingTheLongestItemShrinksTheExtentToTheNextLongest) {
  ui::script::Backend backend;
  TermsForm form;
  for (const char* term : {"Term", "Purchase Price", "Agreement"}) form.lstAddTerms.AddItem(term);
  SetListBoxExtent(form, form.lstAddTerms, ListItems(form.lstAddTerms), false);
  EXPECT_EQ(form.lstAddTerms.HorizontalExtent(), 112);
  form.lstAddTerms.RemoveItem(1);
  SetListBoxExtent(form, form.lstAddTerms, ListItems(form.lstAddTerms), false);
  EXPECT_EQ(form.lstAddTerms.HorizontalExtent(), 72);
}

}  // namespace
}  // namespace util
