#include "addin/update_index.h"

#include <gtest/gtest.h>

#include "host/model/indexes.h"
#include "host/testing/test_documents.h"
#include "indexing/cmd_ok.h"
#include "indexing/test_support.h"

namespace addin {
namespace {

using host::testing::para;
using host::testing::resultLines;
using host::testing::run;
using indexing::testing::indexFields;

constexpr const char* kPrompt =
    "Click Yes if you want to update your existing defined terms index without adding additional terms to it.\n\n"
    "If you want to add terms to your defined terms index click No and re-index the document.\n\n"
    "If you're unsure about whether your list of terms to be indexed has changed, it might be better to re-index the "
    "document.\n\n"
    "Note:  Defined But Not Used and Not Found lists will not be updated.  Please re-index to update them.";

class UpdateIndexTest : public indexing::testing::RunTest {
 protected:
  host::Document& openText(const std::string& body) {
    host::testing::DocParts parts;
    parts.body = body;
    return openRun(parts);
  }

  // Indexes "Buyer" in a one-line contract, with the index after it.
  host::Document& indexedContract() {
    host::Document& doc = openText(para(run("The Buyer pays.")) + "<w:p/>" + para(run("The Seller sells.")));
    markIndexPlace(doc, 1);
    dialogs::frmVLX_COM form;
    fillDialog(form, {"Buyer"});
    indexing::cmdOK_Click(form);
    return doc;
  }

  // Marks an entry of this program's index at the end of the main text's last paragraph.
  void markEntry(host::Document& doc, const std::string& entry) {
    const long at = doc.Content().End() - 1;
    doc.Indexes().MarkEntry(doc.Range(at, at), entry, "\\f \"VellandexIndex\"");
  }
};

TEST_F(UpdateIndexTest, YesUpdatesTheIndexInPlaceAndSaysSo) {
  host::Document& doc = indexedContract();
  markEntry(doc, "Seller");
  backend_.Answer("Update only?", ui::vbYes);
  backend_.Answer("Done", ui::vbOK);

  UpdateIndex(app_, &doc);

  ASSERT_EQ(backend_.Messages().size(), 2u);
  EXPECT_EQ(backend_.Messages()[0].prompt, kPrompt);
  EXPECT_EQ(backend_.Messages()[0].style, ui::vbYesNo + ui::vbQuestion);
  EXPECT_EQ(backend_.Messages()[1].prompt, "Defined terms index updated.");
  EXPECT_EQ(backend_.Messages()[1].style, ui::vbOKOnly);
  EXPECT_EQ(resultLines(indexFields(*saved())[0]), (std::vector<std::string>{"Buyer, 1", "Seller, 1"}));
}

TEST_F(UpdateIndexTest, NoChangesNothing) {
  host::Document& doc = indexedContract();
  markEntry(doc, "Seller");
  rememberDocument();
  backend_.Answer("Update only?", ui::vbNo);

  UpdateIndex(app_, &doc);

  EXPECT_EQ(backend_.Messages().size(), 1u);
  expectUnchangedSinceRemembered();
}

TEST_F(UpdateIndexTest, WithoutOurIndexTheUserIsToldThereIsNone) {
  // Another program's index and an entry whose text holds INDEX are not this program's index.
  host::Document& doc = openText(para(run("Linked to the Retail Price Index.")) + "<w:p/>");
  markEntry(doc, "RETAIL PRICE INDEX");
  const long at = doc.Content().End() - 1;
  doc.Fields().Add(doc.Range(at, at), host::wdFieldEmpty, "INDEX \\f \"Other\"", false);
  rememberDocument();
  backend_.Answer("Update only?", ui::vbYes);
  backend_.Answer("No defined terms index found", ui::vbOK);

  UpdateIndex(app_, &doc);

  ASSERT_EQ(backend_.Messages().size(), 2u);
  EXPECT_EQ(backend_.Messages()[1].prompt, "No defined terms index found.  Please re-run Vellandex to create one.");
  EXPECT_EQ(backend_.Messages()[1].style, ui::vbOKOnly + ui::vbExclamation);
  expectUnchangedSinceRemembered();
}

TEST_F(UpdateIndexTest, WithNoDocumentOpenNothingIsAsked) {
  UpdateIndex(app_, nullptr);
  EXPECT_TRUE(backend_.Messages().empty());
}

}  // namespace
}  // namespace addin
