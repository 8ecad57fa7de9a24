#include "examples/sample_contract.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace examples {

namespace {

using host::DocxBuilder;
using Align = DocxBuilder::Align;
using Style = DocxBuilder::Style;

// The text below is written with two marks: *…* is bold, and ^1 to ^9 place that footnote
// of kFootnotes, ^E the endnote.
constexpr std::array<std::string_view, 4> kFootnotes = {
    "“*Business Day*” means a day other than a Saturday, a Sunday or a public holiday in "
    "England on which banks in London are open for general business.",
    "Ashcombe Trust Services Limited (the “*Escrow Agent*”) acts under an escrow letter signed "
    "by the Parties and the Escrow Agent on the Effective Date. The Escrow Agent owes no duty "
    "to either Party beyond that letter.",
    "The accountants act as experts and not as arbitrators. Their fees are borne equally by "
    "the Parties unless the accountants decide that the conduct of one Party makes another "
    "allocation fair.",
    "A change in general economic conditions, or in conditions affecting the precision tooling "
    "industry as a whole, is not a Material Adverse Effect unless it affects the Business "
    "disproportionately.",
};

constexpr std::string_view kEndnote =
    "This Agreement is a sample written to show how a contract defines and uses its terms; "
    "the companies, numbers and addresses in it are invented.";

// Splits marked text at the bold marks.
std::vector<DocxBuilder::Run> runsOf(std::string_view marked) {
  std::vector<DocxBuilder::Run> runs;
  bool bold = false;
  std::size_t start = 0;
  while (start <= marked.size()) {
    const std::size_t star = marked.find('*', start);
    const std::size_t end = star == std::string_view::npos ? marked.size() : star;
    if (end > start) runs.push_back({std::string(marked.substr(start, end - start)), {.bold = bold}});
    bold = !bold;
    start = end + 1;
  }
  return runs;
}

// The contract being written, and the terms it defines in quotes as they are written: those
// of the main text, the footnotes and the endnotes, each in order.
struct Writer : DocxBuilder {
  std::vector<std::string> mainTerms;
  std::vector<std::string> footnoteTerms;
  std::vector<std::string> endnoteTerms;
};

// The texts between double quotes (curly or straight) of marked text, bold marks left out.
void collectDefinitions(std::string_view marked, std::vector<std::string>& terms) {
  constexpr std::string_view kCurlyOpen = "\u201C", kCurlyClose = "\u201D";
  for (std::size_t at = 0; at < marked.size();) {
    const bool curly = marked.substr(at, kCurlyOpen.size()) == kCurlyOpen;
    if (!curly && marked[at] != '"') {
      ++at;
      continue;
    }
    const std::size_t start = at + (curly ? kCurlyOpen.size() : 1);
    const std::size_t end = marked.find(curly ? kCurlyClose : std::string_view("\""), start);
    if (end == std::string_view::npos) break;
    std::string term;
    for (char c : marked.substr(start, end - start))
      if (c != '*') term += c;
    terms.push_back(term);
    at = end + (curly ? kCurlyClose.size() : 1);
  }
}

void addMarked(Writer& doc, std::string_view marked) {
  collectDefinitions(marked, doc.mainTerms);
  std::size_t start = 0;
  while (start <= marked.size()) {
    const std::size_t caret = marked.find('^', start);
    const std::size_t end = caret == std::string_view::npos ? marked.size() : caret;
    for (const auto& run : runsOf(marked.substr(start, end - start))) doc.addRun(run.text, run.emphasis);
    if (end == marked.size()) break;
    const char which = marked.at(end + 1);
    const std::string_view note = which == 'E' ? kEndnote : kFootnotes.at(static_cast<std::size_t>(which - '1'));
    collectDefinitions(note, which == 'E' ? doc.endnoteTerms : doc.footnoteTerms);
    if (which == 'E') doc.addEndnote(runsOf(note));
    else doc.addFootnote(runsOf(note));
    start = end + 2;
  }
}

void heading(Writer& doc, std::string_view text) {
  doc.startParagraph(Style::Heading1);
  doc.addRun(text);
}

void paragraph(Writer& doc, std::string_view marked, Align align = Align::Justify) {
  doc.startParagraph(Style::Normal, align);
  addMarked(doc, marked);
}

// A numbered clause with its caption in bold, as contracts set them.
void clause(Writer& doc, std::string_view number, std::string_view caption, std::string_view marked) {
  doc.startParagraph(Style::Normal, Align::Justify);
  doc.addRun(std::string(number) + "\t");
  doc.addRun(std::string(caption) + ".", {.bold = true});
  doc.addRun(" ");
  addMarked(doc, marked);
}

void opening(Writer& doc) {
  doc.startParagraph(Style::Title, Align::Center);
  doc.addRun("Asset Purchase Agreement");
  paragraph(doc,
            "This Asset Purchase Agreement (this “*Agreement*”) is made and entered into as of "
            "3 March 2025 (the “Effective Date”) by and between Harrow & Vale Tooling Ltd, a "
            "company incorporated in England and Wales with company number 04812277 (the "
            "“*Seller*”), and Northwind Precision Components plc, a company incorporated in "
            "England and Wales with company number 09155340 (the “*Buyer*”). The Seller and the "
            "Buyer are each referred to in this Agreement as a “Party” and together as the "
            "“Parties”.");
  heading(doc, "Recitals");
  paragraph(doc,
            "A.\tThe Seller carries on the business of designing, manufacturing and selling "
            "precision press tooling and die sets from its premises at Unit 7, Kelham Road, "
            "Sheffield (the “*Business*”).");
  paragraph(doc,
            "B.\tThe Seller wishes to sell, and the Buyer wishes to purchase, the Purchased Assets "
            "and to assume the Assumed Liabilities, in each case on the terms and subject to the "
            "conditions set out in this Agreement.");
  paragraph(doc,
            "C.\tThe boards of directors of the Seller and of the Buyer have each approved the "
            "entry into this Agreement and the other Transaction Documents.");
  paragraph(doc,
            "NOW, THEREFORE, in consideration of the mutual covenants set out below, the Parties "
            "agree as follows:");
}

void saleAndPurchase(Writer& doc) {
  heading(doc, "Article 1 – Sale and Purchase");
  clause(doc, "1.1", "Purchased Assets",
         "On the terms and subject to the conditions of this Agreement, at the Closing the "
         "Seller shall sell, assign and transfer to the Buyer, and the Buyer shall purchase from "
         "the Seller, all of the Seller’s right, title and interest in and to the assets, "
         "properties and rights used exclusively in the Business, including the machinery, "
         "tooling, inventory, customer contracts, drawings and goodwill listed in Schedule 1 "
         "(together, the “*Purchased Assets*”), free and clear of any mortgage, charge, pledge, "
         "lien, option, restriction or other security interest (each an “Encumbrance”).");
  clause(doc, "1.2", "Excluded Assets",
         "Notwithstanding Section 1.1, the Purchased Assets shall not include cash and cash "
         "equivalents, the Seller’s corporate records, any tax refunds relating to periods before "
         "the Closing Date, or the freehold of the Kelham Road premises (together, the "
         "“Excluded Assets”). The Seller retains the Excluded Assets and may remove them from "
         "the premises at any time before the Closing.");
  clause(doc, "1.3", "Assumed Liabilities",
         "At the Closing the Buyer shall assume and agree to pay, perform and discharge when due "
         "only the obligations of the Seller arising after the Closing Date under the customer "
         "contracts included in the Purchased Assets (the “*Assumed Liabilities*”). The Buyer "
         "does not assume any other liability of the Seller, and all liabilities other than the "
         "Assumed Liabilities remain with the Seller.");
  clause(doc, "1.4", "Release of Encumbrances",
         "The Seller shall procure that every Encumbrance over any of the Purchased Assets is "
         "released on or before the Closing Date and shall deliver to the Buyer evidence of each "
         "release in a form reasonably satisfactory to the Buyer.");
}

void purchasePrice(Writer& doc) {
  heading(doc, "Article 2 – Purchase Price and Payment");
  clause(doc, "2.1", "Purchase Price",
         "The aggregate consideration for the Purchased Assets is four million eight hundred and "
         "fifty thousand pounds (£4,850,000) (the “*Purchase Price*”), together with the "
         "assumption of the Assumed Liabilities. The Purchase Price is exclusive of value added "
         "tax, which the Buyer shall pay in addition where it is chargeable.");
  clause(doc, "2.2", "Deposit",
         "Within five Business Days^1 after the Effective Date the Buyer shall pay £485,000 (the "
         "“Deposit”) to Ashcombe Trust Services Limited as escrow agent.^2 The Deposit shall be "
         "held in an interest-bearing account and applied in accordance with Section 2.4.");
  clause(doc, "2.3", "Inventory Statement",
         "Not later than three Business Days before the Closing Date the Seller shall deliver to "
         "the Buyer a statement of the inventory of the Business counted as at the close of "
         "business on the Business Day before it is delivered (the “*Inventory Statement*”). "
         "The Buyer may attend the count and may dispute the Inventory Statement by written "
         "notice given within two Business Days after receiving it.");
  clause(doc, "2.4", "Adjustment",
         "The Purchase Price shall be increased by the amount (if any) by which the value of the "
         "inventory shown in the Inventory Statement exceeds £620,000 and reduced by the amount "
         "(if any) by which it falls short of £620,000; the Purchase Price as so adjusted is the "
         "“*Adjusted Purchase Price*”. The Adjusted Purchase Price shall be paid in the "
         "instalments and on the dates set out in the following table, and the Deposit shall be "
         "released by the Escrow Agent to the Seller at the Closing and credited against the "
         "first instalment.");
  doc.addTable(
      {{"Instalment", "Due", "Amount", "Paid to"},
       {"Deposit", "Within five Business Days after the Effective Date", "£485,000", "Escrow Agent"},
       {"First instalment", "Closing Date", "60% of the Adjusted Purchase Price, less the Deposit", "Seller"},
       {"Second instalment", "Six months after the Closing Date", "25% of the Adjusted Purchase Price", "Seller"},
       {"Final instalment", "Twelve months after the Closing Date",
        "15% of the Adjusted Purchase Price, less any Losses set off under Section 5.3", "Seller"}},
      true);
  doc.startParagraph();  // space between the table and the next clause
  clause(doc, "2.5", "Disputes",
         "If the Parties cannot agree the Inventory Statement within ten Business Days after a "
         "dispute notice, either Party may refer the matter to an independent firm of chartered "
         "accountants^3 whose determination of the Adjusted Purchase Price shall be final and "
         "binding on the Parties, save in the case of manifest error.");
  clause(doc, "2.6", "Allocation",
         "The Parties shall allocate the Purchase Price (and, after the Closing, the Adjusted "
         "Purchase Price) among the Purchased Assets as set out in Schedule 2 and shall file all "
         "tax returns consistently with that allocation.");
}

void closing(Writer& doc) {
  heading(doc, "Article 3 – Closing");
  clause(doc, "3.1", "Time and place",
         "Completion of the sale and purchase of the Purchased Assets (the “*Closing*”) shall "
         "take place by electronic exchange of documents on the tenth Business Day after the "
         "conditions in Section 3.3 are satisfied or waived, or on such other date as the Parties "
         "agree in writing (the date on which the Closing occurs being the “Closing Date”).");
  clause(doc, "3.2", "Deliveries",
         "At the Closing the Seller shall deliver to the Buyer a bill of sale and an assignment "
         "of the customer contracts in the agreed form, the release of each Encumbrance required "
         "by Section 1.4, and possession of the Purchased Assets. The Buyer shall pay the first "
         "instalment of the Adjusted Purchase Price and shall deliver a counterpart of the bill "
         "of sale, the assignment and the transitional services agreement (together with this "
         "Agreement, the “Transaction Documents”) duly signed by the Buyer.");
  clause(doc, "3.3", "Conditions",
         "The obligation of the Buyer to proceed to the Closing is conditional on (a) the "
         "warranties in Article 4 being true and accurate on the Closing Date, (b) no Material "
         "Adverse Effect having occurred, and (c) the Seller having delivered the Inventory "
         "Statement. The Buyer may waive any condition by notice to the Seller. If the "
         "conditions are not satisfied or waived by 30 June 2025, or if a Material Adverse "
         "Effect occurs before the Closing, either Party may terminate this Agreement by notice, "
         "and the Escrow Agent shall then return the Deposit to the Buyer.");
}

void warranties(Writer& doc) {
  heading(doc, "Article 4 – Warranties of the Seller");
  clause(doc, "4.1", "Title",
         "The Seller warrants to the Buyer that it is the sole legal and beneficial owner of the "
         "Purchased Assets and that, at the Closing, none of the Purchased Assets will be subject "
         "to any Encumbrance.");
  clause(doc, "4.2", "No adverse change",
         "Since 31 December 2024 there has been no event, change or circumstance that, "
         "individually or together with others, has had or could reasonably be expected to have "
         "a material adverse effect on the assets, operations, results or prospects of the "
         "Business (a “*Material Adverse Effect*”).^4");
  clause(doc, "4.3", "Condition of assets",
         "The machinery and tooling included in the Purchased Assets are in good repair and "
         "working order, fair wear and tear excepted, and are adequate for the operation of the "
         "Business as it is carried on at the Effective Date.");
  clause(doc, "4.4", "Contracts",
         "Each customer contract included in the Purchased Assets is in full force and effect, "
         "and the Seller is not in breach of any of them. None of the Assumed Liabilities arises "
         "from any act or omission of the Seller before the Closing.");
}

void indemnity(Writer& doc) {
  heading(doc, "Article 5 – Indemnity");
  clause(doc, "5.1", "Indemnity",
         "The Seller shall indemnify the Buyer against all losses, liabilities, damages, costs "
         "and expenses, including reasonable legal fees (together, “Losses”), that the Buyer "
         "suffers as a result of any breach of the warranties in Article 4, any of the Excluded "
         "Assets, or any liability of the Seller that is not one of the Assumed Liabilities.");
  clause(doc, "5.2", "Limits",
         "The aggregate liability of the Seller under this Article 5 shall not exceed thirty per "
         "cent of the Adjusted Purchase Price. No claim may be made for Losses unless notice of "
         "it is given to the Seller within eighteen months after the Closing Date.");
  clause(doc, "5.3", "Set-off",
         "The Buyer may set off the amount of any Losses agreed or determined to be payable by "
         "the Seller against the final instalment of the Adjusted Purchase Price.");
}

void general(Writer& doc) {
  heading(doc, "Article 6 – Confidentiality");
  clause(doc, "6.1", "Confidentiality",
         "Each Party shall keep confidential all information relating to the other Party or to "
         "the Business that it receives under or in connection with the Transaction Documents "
         "(\"Confidential Information\") and shall not use Confidential Information except to "
         "perform its obligations under this Agreement.");
  clause(doc, "6.2", "Exceptions",
         "Section 6.1 does not apply to Confidential Information that is or becomes public other "
         "than through a breach of this Agreement, or that a Party must disclose by law.");
  heading(doc, "Article 7 – General");
  clause(doc, "7.1", "Entire agreement",
         "The Transaction Documents constitute the entire agreement between the Parties relating "
         "to the sale of the Purchased Assets and supersede any earlier agreement or arrangement "
         "between them.");
  clause(doc, "7.2", "Notices",
         "Any notice under this Agreement shall be in writing and delivered by hand or sent by "
         "recorded delivery to the address of the Party concerned set out above. A notice is "
         "deemed received on the second Business Day after it is sent.");
  clause(doc, "7.3", "Costs",
         "Each Party shall bear its own costs in connection with the Transaction Documents, "
         "except that the fees of the Escrow Agent shall be shared equally.");
  clause(doc, "7.4", "Governing law",
         "This Agreement and any dispute arising out of or in connection with it are governed by "
         "the law of England and Wales, and the courts of England have exclusive jurisdiction.^E");
}

void signatures(Writer& doc) {
  paragraph(doc, "Signed by the Parties on the Effective Date.");
  for (const std::string_view party :
       {"Harrow & Vale Tooling Ltd (as Seller)", "Northwind Precision Components plc (as Buyer)"}) {
    doc.startParagraph(Style::Normal, Align::Left);
    doc.addRun("Signed for and on behalf of " + std::string(party) +
               "\n\n______________________________\nName:\nTitle: Director");
  }
}

void schedules(Writer& doc) {
  doc.addPageBreak();
  heading(doc, "Schedule 1 – Purchased Assets");
  paragraph(doc,
            "1.\tThe press tooling, die sets, fixtures and gauges held at Unit 7, Kelham Road, "
            "Sheffield, as listed in the fixed asset register of the Business at the Effective "
            "Date.");
  paragraph(doc, "2.\tThe inventory of the Business, as shown in the Inventory Statement.");
  paragraph(doc,
            "3.\tThe customer contracts of the Business, with the goodwill, drawings and "
            "specifications relating to them.");
  paragraph(doc,
            "Schedule 1 does not list, and the Seller does not sell, any of the Excluded "
            "Assets.");
  heading(doc, "Schedule 2 – Allocation of the Purchase Price");
  paragraph(doc,
            "Machinery and tooling: 45 per cent; inventory: the value shown in the Inventory "
            "Statement; customer contracts and goodwill: the balance of the Adjusted Purchase "
            "Price.");
}

}  // namespace

namespace {

Writer writeSampleContract() {
  Writer doc;
  doc.setTitle("Asset Purchase Agreement");
  doc.setPageSetup({.paper = DocxBuilder::Paper::A4});
  opening(doc);
  saleAndPurchase(doc);
  purchasePrice(doc);
  closing(doc);
  warranties(doc);
  indemnity(doc);
  general(doc);
  signatures(doc);
  schedules(doc);
  return doc;
}

}  // namespace

host::DocxBuilder buildSampleContract() { return writeSampleContract(); }

std::vector<std::string> sampleDefinedTerms() {
  Writer doc = writeSampleContract();
  std::vector<std::string> terms = doc.mainTerms;
  terms.insert(terms.end(), doc.footnoteTerms.begin(), doc.footnoteTerms.end());
  terms.insert(terms.end(), doc.endnoteTerms.begin(), doc.endnoteTerms.end());
  return terms;
}

}  // namespace examples
