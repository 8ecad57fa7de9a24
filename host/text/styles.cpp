#include "host/text/styles.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/wml/style_definition.h"

namespace host {

namespace {
constexpr std::array<const char*, 17> kHighlightNames = {
    "none",     "black",    "blue",      "cyan",        "green",   "magenta",    "red",      "yellow",   "white",
    "darkBlue", "darkCyan", "darkGreen", "darkMagenta", "darkRed", "darkYellow", "darkGray", "lightGray"};
constexpr int kMaxChain = 32;  // guards against styles based on themselves
}  // namespace

int highlightIndex(std::string_view name) {
  for (size_t i = 1; i < kHighlightNames.size(); ++i)
    if (name == kHighlightNames[i]) return static_cast<int>(i);
  return 0;
}

std::string highlightName(int index) {
  if (index <= 0 || index >= static_cast<int>(kHighlightNames.size())) return "none";
  return kHighlightNames[static_cast<size_t>(index)];
}

long colorFromHex(std::string_view hex) {
  if (hex.size() != 6) return kColorAutomatic;
  long rgb = 0;
  auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
  if (error != std::errc() || end != hex.data() + hex.size()) return kColorAutomatic;
  long r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return r + (g << 8) + (b << 16);
}

std::string colorToHex(long color) {
  if (color == kColorAutomatic || color < 0) return "auto";
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02lX%02lX%02lX", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  return buf;
}

StyleSheet::StyleSheet(pugi::xml_document* doc, Wml w) : doc_(doc), w_(std::move(w)) {
  if (!doc_) return;
  pugi::xml_node root = doc_->document_element();
  if (pugi::xml_node defaults = w_.child(root, "docDefaults")) {
    rPrDefault_ = w_.child(w_.child(defaults, "rPrDefault"), "rPr");
    pPrDefault_ = w_.child(w_.child(defaults, "pPrDefault"), "pPr");
  }
  for (pugi::xml_node s = root.first_child(); s; s = s.next_sibling()) {
    if (!w_.is(s, "style")) continue;
    std::string id = w_.value(s, "styleId");
    styles_.emplace(id, s);
    std::string def = w_.value(s, "default");
    bool isDefault = def == "1" || def == "true" || def == "on";
    if (isDefault && w_.value(s, "type") == "paragraph" && defaultParagraphStyle_.empty()) defaultParagraphStyle_ = id;
  }
}

pugi::xml_node StyleSheet::style(const std::string& id) const {
  auto it = styles_.find(id);
  return it == styles_.end() ? pugi::xml_node() : it->second;
}

bool StyleSheet::exists(const std::string& styleId) const { return static_cast<bool>(style(styleId)); }

std::string StyleSheet::name(const std::string& styleId) const {
  pugi::xml_node s = style(styleId);
  return s ? w_.value(w_.child(s, "name"), "val") : std::string();
}

std::string StyleSheet::paragraphStyleId(pugi::xml_node pPr) const {
  std::string id = w_.value(w_.child(pPr, "pStyle"), "val");
  return id.empty() ? defaultParagraphStyle_ : id;
}

StyleSheet::RunProperties StyleSheet::readRun(pugi::xml_node rPr) const {
  RunProperties p;
  for (pugi::xml_node c = rPr.first_child(); c; c = c.next_sibling()) {
    const char* l = w_.local(c);
    if (!l) continue;
    std::string_view local = l;
    if (local == "b") {
      if (int v = w_.onOff(c); v >= 0) p.bold = v;
    } else if (local == "i") {
      if (int v = w_.onOff(c); v >= 0) p.italic = v;
    } else if (local == "caps") {
      if (int v = w_.onOff(c); v >= 0) p.caps = v;
    } else if (local == "vanish") {
      if (int v = w_.onOff(c); v >= 0) p.hidden = v;
    } else if (local == "color") {
      p.color = w_.attr(c, "val").value();
    } else if (local == "highlight") {
      p.highlight = w_.attr(c, "val").value();
    } else if (local == "sz") {
      if (int hp = std::atoi(w_.attr(c, "val").value()); hp > 0) p.halfPoints = hp;
    } else if (local == "rFonts") {
      if (const char* ascii = w_.attr(c, "ascii").value(); *ascii) p.font = ascii;
      else if (std::string_view theme = w_.attr(c, "asciiTheme").value(); !theme.empty())
        p.font = theme.starts_with("major") ? "+major" : "+minor";
    } else if (local == "rStyle") {
      p.charStyle = w_.attr(c, "val").value();
    }
  }
  return p;
}

void StyleSheet::RunProperties::applyTo(RunFormat& f) const {
  if (bold >= 0) f.bold = bold;
  if (italic >= 0) f.italic = italic;
  if (caps >= 0) f.caps = caps;
  if (hidden >= 0) f.hidden = hidden;
  if (color) f.color = colorFromHex(color);
  if (highlight) f.highlight = highlightIndex(highlight);
  if (halfPoints > 0) f.halfPoints = halfPoints;
  if (!font.empty()) f.font = font;
}

void StyleSheet::applyRun(RunFormat& f, pugi::xml_node rPr) const { readRun(rPr).applyTo(f); }

void StyleSheet::applyChain(RunFormat& f, const std::string& styleId, int depth) const {
  pugi::xml_node s = style(styleId);
  if (!s || depth > kMaxChain) return;
  std::string base = w_.value(w_.child(s, "basedOn"), "val");
  if (!base.empty() && base != styleId) applyChain(f, base, depth + 1);
  applyRun(f, w_.child(s, "rPr"));
}

const RunFormat& StyleSheet::inherited(const std::string& paragraphStyleId, std::string_view charStyleId) const {
  if (last_ && last_->first.first == paragraphStyleId && last_->first.second == charStyleId) return last_->second;
  auto key = std::make_pair(paragraphStyleId, std::string(charStyleId));
  if (auto it = cache_.find(key); it != cache_.end()) {
    last_ = &*it;
    return it->second;
  }
  last_ = &*cache_.emplace(key, chainFormat(paragraphStyleId, charStyleId)).first;
  return last_->second;
}

RunFormat StyleSheet::chainFormat(const std::string& paragraphStyleId, std::string_view charStyleId) const {
  RunFormat f;
  applyRun(f, rPrDefault_);
  applyChain(f, paragraphStyleId, 0);
  if (!charStyleId.empty()) applyChain(f, std::string(charStyleId), 0);
  return f;
}

std::string StyleSheet::verifyDerivedState() const {
  for (const auto& [key, format] : cache_)
    if (!(format == chainFormat(key.first, key.second)))
      return "the formatting kept for paragraph style \"" + key.first + "\" and character style \"" + key.second +
             "\" is not what the styles say";
  for (const auto& [id, caps] : capsCache_)
    if (caps != chainFormat(id, {}).caps)
      return "the capitals kept for style \"" + id + "\" are not what the styles say";
  return {};
}

RunFormat StyleSheet::runFormat(const std::string& paragraphStyleId, pugi::xml_node directRPr) const {
  // One walk over the properties: the character style they name comes under them.
  RunProperties direct = readRun(directRPr);
  RunFormat f = inherited(paragraphStyleId, direct.charStyle);
  direct.applyTo(f);
  return f;
}

bool StyleSheet::hidden(const std::string& paragraphStyleId, pugi::xml_node directRPr) const {
  const char* charStyle = "";
  for (pugi::xml_node c = directRPr.first_child(); c; c = c.next_sibling()) {
    const char* l = w_.local(c);
    if (!l) continue;
    if (!std::strcmp(l, "vanish")) {
      if (int v = w_.onOff(c); v >= 0) return v;
    } else if (!std::strcmp(l, "rStyle")) {
      charStyle = w_.attr(c, "val").value();
    }
  }
  return inherited(paragraphStyleId, charStyle).hidden;
}

void StyleSheet::applyParagraph(ParagraphFormatValues& f, pugi::xml_node pPr) const {
  if (!pPr) return;
  if (pugi::xml_node spacing = w_.child(pPr, "spacing")) {
    if (auto a = w_.attr(spacing, "before")) f.spaceBefore = a.as_double() / 20.0;
    if (auto a = w_.attr(spacing, "after")) f.spaceAfter = a.as_double() / 20.0;
    if (auto a = w_.attr(spacing, "line")) {
      std::string rule = w_.value(spacing, "lineRule");
      f.lineExact = rule == "exact" || rule == "atLeast";
      f.lineAtLeast = rule == "atLeast";
      f.lineSpacing = f.lineExact ? a.as_double() / 20.0 : a.as_double() / 240.0;
    }
  }
  if (pugi::xml_node jc = w_.child(pPr, "jc")) {
    std::string v = w_.value(jc, "val");
    f.alignment = (v == "center") ? 1 : (v == "right" || v == "end") ? 2 : (v == "both" || v == "distribute") ? 3 : 0;
  }
  if (int v = w_.onOff(w_.child(pPr, "pageBreakBefore")); v >= 0) f.pageBreakBefore = v;
  if (int v = w_.onOff(w_.child(pPr, "keepNext")); v >= 0) f.keepNext = v;
  if (int v = w_.onOff(w_.child(pPr, "keepLines")); v >= 0) f.keepLines = v;
  if (int v = w_.onOff(w_.child(pPr, "widowControl")); v >= 0) f.widowControl = v;
  if (int v = w_.onOff(w_.child(pPr, "contextualSpacing")); v >= 0) f.contextualSpacing = v;
  if (pugi::xml_node numId = w_.child(w_.child(pPr, "numPr"), "numId")) f.numbered = w_.value(numId, "val") != "0";
  if (pugi::xml_node ind = w_.child(pPr, "ind")) {
    auto twips = [&](const char* a, const char* b) -> pugi::xml_attribute {
      pugi::xml_attribute x = w_.attr(ind, a);
      return x ? x : w_.attr(ind, b);
    };
    if (auto a = twips("left", "start")) f.indentLeft = a.as_double() / 20.0;
    if (auto a = twips("right", "end")) f.indentRight = a.as_double() / 20.0;
    if (auto a = w_.attr(ind, "firstLine")) f.indentFirstLine = a.as_double() / 20.0;
    if (auto a = w_.attr(ind, "hanging")) f.indentFirstLine = -a.as_double() / 20.0;
  }
}

void StyleSheet::applyParagraphChain(ParagraphFormatValues& f, const std::string& styleId, int depth) const {
  pugi::xml_node s = style(styleId);
  if (!s || depth > kMaxChain) return;
  std::string base = w_.value(w_.child(s, "basedOn"), "val");
  if (!base.empty() && base != styleId) applyParagraphChain(f, base, depth + 1);
  applyParagraph(f, w_.child(s, "pPr"));
}

ParagraphFormatValues StyleSheet::paragraphFormat(pugi::xml_node pPr) const {
  ParagraphFormatValues f;
  applyParagraph(f, pPrDefault_);
  applyParagraphChain(f, paragraphStyleId(pPr), 0);
  applyParagraph(f, pPr);
  return f;
}

bool StyleSheet::styleCaps(const std::string& styleId) const {
  if (auto it = capsCache_.find(styleId); it != capsCache_.end()) return it->second;
  const bool caps = chainFormat(styleId, {}).caps;
  capsCache_.emplace(styleId, caps);
  return caps;
}

bool StyleSheet::setStyleCaps(const std::string& styleId, bool caps) {
  pugi::xml_node s = style(styleId);
  if (!s) return false;
  StyleDefinition(w_, s).runProperties(true).setToggle(Toggle::Caps, caps);
  invalidate();
  return true;
}

}  // namespace host
