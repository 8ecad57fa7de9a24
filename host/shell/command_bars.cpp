#include "host/shell/command_bars.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "host/platform/error.h"

namespace host {

/// What all bars of one application share: the customization's state and the host's actions.
struct CommandBarsShared {
  bool unsaved = false;
  std::function<void(int id)> builtInAction;
};

/// A bar, popup or button.
struct ControlNode {
  bool bar = false;  // a bar holds controls and has only a name (its caption)
  int type = msoControlButton;
  int id = kCustomControlId;
  bool builtIn = false;
  bool temporary = false;
  std::string caption;
  std::string tag;
  bool beginGroup = false;
  bool visible = true;
  int style = msoButtonAutomatic;
  bool deleted = false;
  std::vector<std::shared_ptr<ControlNode>> children;
  std::weak_ptr<ControlNode> parent;
  std::shared_ptr<CommandBarsShared> shared;
  std::vector<std::pair<int, ClickHandler>> handlers;
  int lastHandlerId = 0;
};

namespace {

struct BuiltInControl {
  int id;
  int type;
  const char* caption;
};

// The host's commands that a program may add to a bar by id.
constexpr std::array kBuiltIns{
    BuiltInControl{kComAddInsControlId, msoControlButton, "&COM Add-Ins..."},
};

constexpr std::array kBarNames{"Menu Bar", "File",  "Edit",   "View", "Insert",   "Format",
                               "Tools",    "Table", "Window", "Help", "Standard", "Formatting"};

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

// True when the control belongs to the customization: it and every popup above it are
// neither temporary nor deleted, up to a bar.
bool isKept(const ControlNode& node) {
  for (const ControlNode* n = &node; n;) {
    if (n->deleted || n->temporary) return false;
    if (n->bar) return true;
    auto parent = n->parent.lock();
    n = parent.get();
  }
  return false;
}

void noteChange(const ControlNode& node) {
  if (isKept(node)) node.shared->unsaved = true;
}

void markDeleted(ControlNode& node) {
  node.deleted = true;
  node.handlers.clear();
  for (auto& child : node.children) markDeleted(*child);
}

Error badArgument(const std::string& what) { return Error(kErrBadArgument, what); }

template <typename T>
void setAndNote(ControlNode& node, T& field, const T& value) {
  if (field == value) return;
  field = value;
  noteChange(node);
}

}  // namespace

// --- ClickConnection ---

ClickConnection::ClickConnection(ClickConnection&& other) noexcept
    : node_(std::move(other.node_)), id_(std::exchange(other.id_, 0)) {}

ClickConnection& ClickConnection::operator=(ClickConnection&& other) noexcept {
  if (this != &other) {
    Disconnect();
    node_ = std::move(other.node_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

ClickConnection::~ClickConnection() { Disconnect(); }

void ClickConnection::Disconnect() {
  if (auto node = node_.lock()) {
    auto& h = node->handlers;
    h.erase(std::remove_if(h.begin(), h.end(), [&](const auto& entry) { return entry.first == id_; }), h.end());
  }
  node_.reset();
  id_ = 0;
}

// --- CommandBarControl ---

ControlNode& CommandBarControl::node() const {
  if (!n_) throw badArgument("The control reference is not set.");
  if (n_->deleted) throw badArgument("The control has been deleted.");
  return *n_;
}

int CommandBarControl::Type() const { return node().type; }
int CommandBarControl::Id() const { return node().id; }
bool CommandBarControl::BuiltIn() const { return node().builtIn; }
bool CommandBarControl::Temporary() const { return node().temporary; }
std::string CommandBarControl::Caption() const { return node().caption; }
void CommandBarControl::SetCaption(const std::string& caption) {
  ControlNode& n = node();
  setAndNote(n, n.caption, caption);
}
std::string CommandBarControl::Tag() const { return node().tag; }
void CommandBarControl::SetTag(const std::string& tag) {
  ControlNode& n = node();
  setAndNote(n, n.tag, tag);
}
bool CommandBarControl::BeginGroup() const { return node().beginGroup; }
void CommandBarControl::SetBeginGroup(bool on) {
  ControlNode& n = node();
  setAndNote(n, n.beginGroup, on);
}
bool CommandBarControl::Visible() const { return node().visible; }
void CommandBarControl::SetVisible(bool on) {
  ControlNode& n = node();
  setAndNote(n, n.visible, on);
}
int CommandBarControl::Style() const { return node().style; }

void CommandBarControl::SetStyle(int style) {
  if (style < msoButtonAutomatic || style > msoButtonIconAndCaption)
    throw badArgument("A button style runs from 0 to 3, not " + std::to_string(style) + ".");
  ControlNode& n = node();
  setAndNote(n, n.style, style);
}

CommandBarControls CommandBarControl::Controls() const {
  if (node().type != msoControlPopup) throw badArgument("Only a popup has controls of its own.");
  return CommandBarControls(n_);
}

void CommandBarControl::Delete() {
  ControlNode& self = node();
  const bool kept = isKept(self);
  if (auto parent = self.parent.lock()) {
    auto& siblings = parent->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), n_));
  }
  markDeleted(self);
  if (kept) self.shared->unsaved = true;
}

void CommandBarControl::Execute() {
  ControlNode& self = node();
  if (self.type == msoControlPopup) return;
  // A handler may delete the control or disconnect handlers (its own included): each one still
  // connected when its turn comes runs from a copy.
  std::vector<int> ids;
  for (const auto& entry : self.handlers) ids.push_back(entry.first);
  auto keep = n_;  // the control outlives its handlers' calls even if they drop every reference
  bool cancel = false;
  for (int id : ids) {
    auto it = std::find_if(keep->handlers.begin(), keep->handlers.end(), [&](const auto& e) { return e.first == id; });
    if (it == keep->handlers.end()) continue;
    ClickHandler handler = it->second;
    handler(*this, cancel);
  }
  if (keep->builtIn && !cancel && !keep->deleted && keep->shared->builtInAction) keep->shared->builtInAction(keep->id);
}

ClickConnection CommandBarControl::OnClick(ClickHandler handler) {
  ControlNode& self = node();
  if (!handler) throw badArgument("A Click handler must be callable.");
  const int id = ++self.lastHandlerId;
  self.handlers.emplace_back(id, std::move(handler));
  return ClickConnection(n_, id);
}

// --- CommandBarControls ---

long CommandBarControls::Count() const { return static_cast<long>(owner_->children.size()); }

CommandBarControl CommandBarControls::Item(long index) const {
  if (index < 1 || index > Count())
    throw badArgument("There is no control " + std::to_string(index) + " (the bar has " + std::to_string(Count()) +
                      ").");
  return CommandBarControl(owner_->children[static_cast<std::size_t>(index - 1)]);
}

CommandBarControl CommandBarControls::Add(int type, int id, long before, bool temporary) {
  if (owner_->deleted) throw badArgument("The control has been deleted.");
  auto node = std::make_shared<ControlNode>();
  if (id != 0 && id != kCustomControlId) {
    auto it = std::find_if(kBuiltIns.begin(), kBuiltIns.end(), [&](const BuiltInControl& b) { return b.id == id; });
    if (it == kBuiltIns.end()) throw badArgument("No built-in control has the id " + std::to_string(id) + ".");
    node->type = it->type;
    node->id = it->id;
    node->builtIn = true;
    node->caption = it->caption;
  } else if (type == msoControlButton || type == msoControlPopup) {
    node->type = type;
  } else {
    throw badArgument("Only buttons (1) and popups (10) can be added, not type " + std::to_string(type) + ".");
  }
  if (before < 0 || before > Count() + 1)
    throw badArgument("A control can go before 1 to " + std::to_string(Count() + 1) + ", not " +
                      std::to_string(before) + ".");
  node->temporary = temporary;
  node->parent = owner_;
  node->shared = owner_->shared;
  auto& children = owner_->children;
  children.insert(before == 0 ? children.end() : children.begin() + (before - 1), node);
  noteChange(*node);
  return CommandBarControl(node);
}

// --- CommandBar ---

std::string CommandBar::Name() const { return n_->caption; }

CommandBarControl CommandBar::FindControl(int type, int id, const std::string& tag) const {
  for (const auto& c : n_->children) {
    if ((type == 0 || c->type == type) && (id == 0 || c->id == id) && (tag.empty() || c->tag == tag))
      return CommandBarControl(c);
  }
  return CommandBarControl();
}

// --- CommandBars ---

CommandBars::CommandBars() : shared_(std::make_shared<CommandBarsShared>()) {
  for (const char* name : kBarNames) {
    auto bar = std::make_shared<ControlNode>();
    bar->bar = true;
    bar->caption = name;
    bar->shared = shared_;
    bars_.push_back(std::move(bar));
  }
}

CommandBars::~CommandBars() {
  // Handles that outlive the bars must not act on controls that no longer belong anywhere.
  for (auto& bar : bars_) markDeleted(*bar);
}

CommandBar CommandBars::Item(const std::string& name) const {
  for (const auto& bar : bars_)
    if (sameNameIgnoringCase(bar->caption, name)) return CommandBar(bar);
  throw badArgument("There is no command bar called \"" + name + "\".");
}

CommandBar CommandBars::Item(long index) const {
  if (index < 1 || index > Count()) throw badArgument("There is no command bar " + std::to_string(index) + ".");
  return CommandBar(bars_[static_cast<std::size_t>(index - 1)]);
}

void CommandBars::setBuiltInAction(std::function<void(int id)> action) { shared_->builtInAction = std::move(action); }

bool CommandBars::unsavedChanges() const { return shared_->unsaved; }

void CommandBars::setUnsavedChanges(bool changed) { shared_->unsaved = changed; }

}  // namespace host
