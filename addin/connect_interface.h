#pragma once
// _Connect: the add-in's own interface on its connection object, members in their fixed order.

#include "host/shell/command_bars.h"

namespace addin {

/// The members of the connection object that the add-in and its host may use.
class _Connect {
 public:
  /// The interface's id, as the component registry asks the factory for it.
  static constexpr const char* kInterfaceId = "VLXDLLCOM._Connect";
  virtual ~_Connect() = default;

  /// True once a find-and-index run since connection has reached the main dialog.
  virtual bool FormDisplayed() const = 0;
  /// Sets FormDisplayed.
  virtual void SetFormDisplayed(bool value) = 0;
  /// True when the host was started by automation or embedding; nothing was installed.
  virtual bool blnInactive() const = 0;
  /// Sets blnInactive.
  virtual void SetblnInactive(bool value) = 0;
  /// The "&Update index" button.
  virtual host::CommandBarControl mcbVLXUpdateButton() const = 0;
  /// Sets the button and connects its click to the update command.
  virtual void SetmcbVLXUpdateButton(host::CommandBarControl button) = 0;
  /// The Tools menu's "COM Add-Ins..." command.
  virtual host::CommandBarControl mcbCOMMenuButton() const = 0;
  /// Sets the command.
  virtual void SetmcbCOMMenuButton(host::CommandBarControl button) = 0;
  /// The "&Find and index" button.
  virtual host::CommandBarControl mcbVLXIndexButton() const = 0;
  /// Sets the button and connects its click to the find-and-index run.
  virtual void SetmcbVLXIndexButton(host::CommandBarControl button) = 0;
  /// The "&Remove indexing" button.
  virtual host::CommandBarControl mcbVLXRemoveIndexButton() const = 0;
  /// Sets the button and connects its click to the remove command.
  virtual void SetmcbVLXRemoveIndexButton(host::CommandBarControl button) = 0;
  /// The "Remove &highlighting only" button.
  virtual host::CommandBarControl mcbVLXRemoveHighlightButton() const = 0;
  /// Sets the button and connects its click to the remove-highlighting command.
  virtual void SetmcbVLXRemoveHighlightButton(host::CommandBarControl button) = 0;
  /// Shows the settings-file problem message.
  virtual void IniProbMsg() = 0;
  /// The find-and-index run.
  virtual void ShowVLXForm() = 0;
};

}  // namespace addin
