#pragma once
// Command bars: the menus and toolbars of the host, as the office object model offers them.
// Bars, popups and buttons are objects that handles refer to (copies share one object, as the
// object model's references do). Controls that are not temporary belong to the customization
// context, which keeps them between runs; every change to them marks it unsaved.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace host {

/// Control types.
enum MsoControlType : int { msoControlButton = 1, msoControlPopup = 10 };

/// Button styles.
enum MsoButtonStyle : int {
  msoButtonAutomatic = 0,
  msoButtonIcon = 1,
  msoButtonCaption = 2,
  msoButtonIconAndCaption = 3,
};

/// The host's built-in "COM Add-Ins..." command.
inline constexpr int kComAddInsControlId = 3754;
/// The id every custom (not built-in) control reports.
inline constexpr int kCustomControlId = 1;

struct ControlNode;
class CommandBarControl;
class CommandBarControls;

/// A Click handler: the clicked control and a flag that cancels a built-in control's action.
using ClickHandler = std::function<void(CommandBarControl ctrl, bool& cancelDefault)>;

/// Keeps a Click handler connected; destroying or disconnecting it removes the handler.
class ClickConnection {
 public:
  /// A connection to nothing.
  ClickConnection() = default;
  /// Takes over another connection's handler.
  ClickConnection(ClickConnection&& other) noexcept;
  /// Removes the handler held, then takes over another connection's.
  ClickConnection& operator=(ClickConnection&& other) noexcept;
  ClickConnection(const ClickConnection&) = delete;
  ClickConnection& operator=(const ClickConnection&) = delete;
  /// Removes the handler.
  ~ClickConnection();
  /// Removes the handler (nothing when already removed).
  void Disconnect();

 private:
  friend class CommandBarControl;
  ClickConnection(std::weak_ptr<ControlNode> node, int id) : node_(std::move(node)), id_(id) {}
  std::weak_ptr<ControlNode> node_;
  int id_ = 0;
};

/// A control of a bar or of a popup: a button or a popup. Calls on a deleted control fail
/// with host::Error 5.
class CommandBarControl {
 public:
  /// An empty reference (the object model's Nothing).
  CommandBarControl() = default;
  /// Wraps a control object (the bars' own plumbing).
  explicit CommandBarControl(std::shared_ptr<ControlNode> node) : n_(std::move(node)) {}
  /// True when the reference is set.
  explicit operator bool() const { return static_cast<bool>(n_); }
  /// True when both refer to the same control.
  bool Is(const CommandBarControl& other) const { return n_ == other.n_; }

  /// msoControlButton or msoControlPopup.
  int Type() const;
  /// The built-in command's id, or kCustomControlId.
  int Id() const;
  /// True for the host's own commands.
  bool BuiltIn() const;
  /// True when the control lives for this run only.
  bool Temporary() const;
  /// The text shown (an ampersand marks the access key).
  std::string Caption() const;
  /// Sets the text shown.
  void SetCaption(const std::string& caption);
  /// A program's own mark for finding the control again.
  std::string Tag() const;
  /// Sets the program's mark.
  void SetTag(const std::string& tag);
  /// True when a separator stands before the control.
  bool BeginGroup() const;
  /// Puts a separator before the control, or removes it.
  void SetBeginGroup(bool on);
  /// True when the control is shown.
  bool Visible() const;
  /// Shows or hides the control.
  void SetVisible(bool on);
  /// How a button shows (msoButtonCaption: caption only).
  int Style() const;
  /// Sets how a button shows; host::Error 5 outside 0 to 3.
  void SetStyle(int style);
  /// A popup's own controls; host::Error 5 for a button.
  CommandBarControls Controls() const;
  /// Removes the control (with a popup's controls) from its bar or popup.
  void Delete();
  /// Raises Click, as the desktop host does when the user picks the control; then runs a
  /// built-in control's own action unless a handler cancelled it. Nothing for a popup.
  void Execute();
  /// Connects a Click handler; several may be connected, and run in the order connected.
  [[nodiscard]] ClickConnection OnClick(ClickHandler handler);

 private:
  ControlNode& node() const;
  std::shared_ptr<ControlNode> n_;
};

/// The controls of a bar or of a popup, in order.
class CommandBarControls {
 public:
  /// The controls of a bar or popup object (the bars' own plumbing).
  explicit CommandBarControls(std::shared_ptr<ControlNode> owner) : owner_(std::move(owner)) {}
  /// The number of controls.
  long Count() const;
  /// 1-based; host::Error 5 outside 1..Count.
  CommandBarControl Item(long index) const;
  /// Adds a button or popup. id 0 (or kCustomControlId) makes a custom control, another id the
  /// built-in control of that id; before 0 appends, else the control goes before that index
  /// (Count + 1 appends). host::Error 5 for another type, an unknown built-in id or a bad index.
  CommandBarControl Add(int type = msoControlButton, int id = 0, long before = 0, bool temporary = false);

 private:
  std::shared_ptr<ControlNode> owner_;
};

/// A menu or toolbar.
class CommandBar {
 public:
  /// Wraps a bar object (the bars' own plumbing).
  explicit CommandBar(std::shared_ptr<ControlNode> node) : n_(std::move(node)) {}
  /// The bar's name ("Tools" ...).
  std::string Name() const;
  /// The bar's own controls.
  CommandBarControls Controls() const { return CommandBarControls(n_); }
  /// The first of the bar's own controls (popups are not searched) that matches every given
  /// criterion; type 0, id 0 and an empty tag match anything. Nothing when none matches.
  CommandBarControl FindControl(int type = 0, int id = 0, const std::string& tag = "") const;

 private:
  std::shared_ptr<ControlNode> n_;
};

struct CommandBarsShared;

/// The host's command bars: the menu bar, its menus ("File", "Edit", "View", "Insert",
/// "Format", "Tools", "Table", "Window", "Help") and the "Standard" and "Formatting" toolbars.
class CommandBars {
 public:
  /// The host's bars, without controls.
  CommandBars();
  /// References to controls that outlive the bars fail from then on.
  ~CommandBars();
  CommandBars(const CommandBars&) = delete;
  CommandBars& operator=(const CommandBars&) = delete;

  /// The number of bars.
  long Count() const { return static_cast<long>(bars_.size()); }
  /// The bar of that name (case-insensitive); host::Error 5 when there is none.
  CommandBar Item(const std::string& name) const;
  /// 1-based; host::Error 5 outside 1..Count.
  CommandBar Item(long index) const;
  /// Sets what a built-in control does when executed (the desktop host shows its dialogs).
  void setBuiltInAction(std::function<void(int id)> action);

  /// True when a control that is kept between runs changed since the last save or load.
  bool unsavedChanges() const;
  /// Marks the kept controls as saved (false) or changed (true).
  void setUnsavedChanges(bool changed);

 private:
  std::shared_ptr<CommandBarsShared> shared_;
  std::vector<std::shared_ptr<ControlNode>> bars_;
};

}  // namespace host
