#include "host/wml/refresh_fields.h"

#include <set>
#include <string>

#include "host/package/package.h"
#include "host/package/relationships.h"
#include "host/wml/child_order.h"
#include "host/wml/wml.h"

namespace host {

namespace {

constexpr const char* kSettingsType = "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml";
constexpr const char* kRelsNs = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

// The children of w:settings in schema order.
const ChildOrder& settingsOrder() {
  // clang-format off
  static const ChildOrder kOrder = {
      "writeProtection", "view", "zoom", "removePersonalInformation", "removeDateAndTime",
      "doNotDisplayPageBoundaries", "displayBackgroundShape", "printPostScriptOverText",
      "printFractionalCharacterWidth", "printFormsData", "embedTrueTypeFonts", "embedSystemFonts",
      "saveSubsetFonts", "saveFormsData", "mirrorMargins", "alignBordersAndEdges",
      "bordersDoNotSurroundHeader", "bordersDoNotSurroundFooter", "gutterAtTop", "hideSpellingErrors",
      "hideGrammaticalErrors", "activeWritingStyle", "proofState", "formsDesign", "attachedTemplate",
      "linkStyles", "stylePaneFormatFilter", "stylePaneSortMethod", "documentType", "mailMerge",
      "revisionView", "trackRevisions", "doNotTrackMoves", "doNotTrackFormatting", "documentProtection",
      "autoFormatOverride", "styleLockTheme", "styleLockQFSet", "defaultTabStop", "autoHyphenation",
      "consecutiveHyphenLimit", "hyphenationZone", "doNotHyphenateCaps", "showEnvelope", "summaryLength",
      "clickAndTypeStyle", "defaultTableStyle", "evenAndOddHeaders", "bookFoldRevPrinting",
      "bookFoldPrinting", "bookFoldPrintingSheets", "drawingGridHorizontalSpacing",
      "drawingGridVerticalSpacing", "displayHorizontalDrawingGridEvery", "displayVerticalDrawingGridEvery",
      "doNotUseMarginsForDrawingGridOrigin", "drawingGridHorizontalOrigin", "drawingGridVerticalOrigin",
      "doNotShadeFormData", "noPunctuationKerning", "characterSpacingControl", "printTwoOnOne",
      "strictFirstAndLastChars", "noLineBreaksAfter", "noLineBreaksBefore", "savePreviewPicture",
      "doNotValidateAgainstSchema", "saveInvalidXml", "ignoreMixedContent", "alwaysShowPlaceholderText",
        "doNotDemarcateInvalidXml", "saveXmlDataOnly", "useXSLTWhenSaving", "saveThroughXslt", "showXMLTags",
        "alwaysMergeEmptyNamespace", "updateFields", "hdrShapeDefaults", "footnotePr", "endnotePr", "compat",
        "docVars", "rsids", "mathPr", "attachedSchema", "themeFontLang", "clrSchemeMapping",
        "doNotIncludeSubdocsInStats", "doNotAutoCompressPictures", "forceUpgrade", "captions",
        "readModeInkLockDown", "smartTagType", "schemaLibrary", "shapeDefaults", "doNotEmbedSmartTags",
        "decimalSymbol", "listSeparator"};
  // clang-format on
  return kOrder;
}

// Adds a settings part beside the main part, with its relationship and content type.
void addSettingsPart(Package& package) {
  const std::string& main = package.mainPartName();
  std::string part = partFolder(main) + "settings.xml";
  for (int k = 1; package.has(part); ++k) part = partFolder(main) + "settings" + std::to_string(k) + ".xml";
  package.setBytes(part, std::string(kDeclaration) + "<w:settings xmlns:w=\"" + kMainNamespace +
                             "\"><w:updateFields w:val=\"true\"/></w:settings>");

  const std::string types = "[Content_Types].xml";
  if (package.has(types)) {
    pugi::xml_node root = package.xml(types).document_element();
    pugi::xml_node o = root.append_child("Override");
    o.append_attribute("PartName") = ("/" + part).c_str();
    o.append_attribute("ContentType") = kSettingsType;
    package.markDirty(types);
  }

  const std::string rels = relsPartOf(main);
  if (!package.has(rels))
    package.setBytes(rels, std::string(kDeclaration) + "<Relationships xmlns=\"" + kRelsNs + "\"></Relationships>");
  pugi::xml_node root = package.xml(rels).document_element();
  std::set<std::string> ids;
  for (pugi::xml_node r : root.children()) ids.insert(r.attribute("Id").value());
  std::string id;
  for (int k = 1; id.empty() || ids.count(id); ++k) id = "rId" + std::to_string(k);
  pugi::xml_node r = root.append_child("Relationship");
  r.append_attribute("Id") = id.c_str();
  r.append_attribute("Type") = kSettingsRel;
  r.append_attribute("Target") = part.substr(partFolder(main).size()).c_str();
  package.markDirty(rels);
}

}  // namespace

void markFieldsForRefresh(Package& package) {
  std::string part = package.relatedPart(package.mainPartName(), kSettingsRel);
  if (part.empty()) {
    addSettingsPart(package);
    return;
  }
  pugi::xml_document& settings = package.xml(part);
  Wml w = Wml::of(settings);
  pugi::xml_node flag = settingsOrder().ensure(w, settings.document_element(), "updateFields");
  if (w.value(flag, "val") == "true") return;
  w.setValue(flag, "val", "true");
  package.markDirty(part);
}

}  // namespace host
