#pragma once
// Controls and windows of our desktop layer: real Qt widgets underneath, driven
// by name, with the events the program binds handlers to.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

class QWidget;

namespace fw {

struct Color {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};

// One property value as a layout record carries it.
using PropValue = std::variant<int32_t, bool, std::string, Color>;

enum class ControlClass { BevelButton, EditField, StaticText, RadioButton, Line, UpDownArrows, Separator };

class Window;

// Hash and equality for maps keyed by name that are searched with a string_view.
struct NameHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
template <class T>
using NameMap = std::unordered_map<std::string, T, NameHash, std::equal_to<>>;

// A control of a window. Every control is created by its window (Window::addControl),
// named, and looked up by that name afterwards.
class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  ControlClass controlClass() const { return class_; }

  // Applies one named property (as a layout record names it, e.g. "Left",
  // "Caption", "TextSize"). Properties without a visible effect are kept and
  // can be read back with property(); an unknown name is kept the same way.
  virtual void setProperty(std::string_view prop, const PropValue& value);
  // The value last applied under that name, or nullptr.
  const PropValue* property(std::string_view prop) const;

  bool visible() const;
  void setVisible(bool v);
  int left() const;
  int top() const;
  int width() const;
  int height() const;
  std::string helpTag() const;

  // Binds a handler to one event of this control: "Action", "TextChange",
  // "LostFocus", "Up" or "Down". One handler per event; the last binding wins.
  void bind(std::string_view event, std::function<void()> handler);
  bool hasHandler(std::string_view event) const;

  QWidget* widget() const { return widget_; }

 protected:
  Control(Window& window, std::string name, ControlClass cls, QWidget* widget);
  // Runs the handler bound to event, if any, synchronously; the control is
  // the window's current control while it runs.
  void fire(std::string_view event);
  // Records a value without applying it (state the widget changed itself).
  void storeProperty(std::string_view prop, const PropValue& value);
  // Applies the properties every control has (geometry, Visible, Enabled,
  // HelpTag, the font); false if prop is none of them.
  bool applyCommon(std::string_view prop);
  // Applies what only this kind of control has; setProperty calls it after
  // applyCommon.
  virtual void applyOwn(std::string_view /*prop*/) {}
  // Re-applies every recorded property to a new widget, which takes the old one's place.
  void replaceWidget(QWidget* widget);
  int32_t intProp(std::string_view prop, int32_t fallback = 0) const;
  bool boolProp(std::string_view prop, bool fallback = false) const;
  std::string stringProp(std::string_view prop) const;
  Color colorProp(std::string_view prop, Color fallback) const;
  // Font from TextFont, TextSize, Bold, Italic and Underline.
  void applyFont();
  const NameMap<PropValue>& properties() const { return props_; }

 private:
  Window& window_;
  std::string name_;
  ControlClass class_;
  QWidget* widget_;  // owned by the Qt parent (the window)
  NameMap<std::function<void()>> handlers_;
  NameMap<PropValue> props_;
  friend class Window;
};

// Bevel button of kind push (ButtonType 0), toggle (1) or sticky (2). Takes no
// keyboard focus. A click flips a toggle, presses a sticky button (it stays
// pressed) and then runs Action. Setting Value from code runs no handler.
class BevelButton : public Control {
 public:
  std::string caption() const;
  void setCaption(const std::string& text);
  bool value() const;
  void setValue(bool pressed);
  int buttonType() const;
  // A user's click, as the mouse gives it (for tests and scripted use).
  void click();

 private:
  using Control::Control;
  void applyOwn(std::string_view prop) override;
  friend class Window;
};

// Text field, one-line or multi-line. TextChange runs synchronously on every
// change of the text, also when the program sets it; LostFocus runs only when
// the keyboard focus really moves to another control of the same window.
class EditField : public Control {
 public:
  std::string text() const;
  void setText(const std::string& text);
  // Gives this field the keyboard focus (for tests and scripted use).
  void setFocus();
  bool hasFocus() const;
  bool multiLine() const;
  void setProperty(std::string_view prop, const PropValue& value) override;

 private:
  using Control::Control;
  void applyOwn(std::string_view prop) override;
  // Connects a new editing widget (one-line or multi-line) to this field.
  void attach(QWidget* w);
  void showText();
  // The widget's text changed; from the user unless we are writing it.
  void widgetChanged();
  void widgetLostFocus();
  std::string text_;       // exact, as set or as typed
  std::string shownUtf8_;  // what the widget showed after our last write
  bool writing_ = false;
  friend class Window;
};

// Label; clicks go through to what lies below.
class StaticText : public Control {
 public:
  std::string text() const;
  void setText(const std::string& text);

 private:
  using Control::Control;
  void applyOwn(std::string_view prop) override;
  friend class Window;
};

// Radio button; all radio buttons of one window form one group.
class RadioButton : public Control {
 public:
  std::string caption() const;
  bool value() const;
  void setValue(bool selected);
  void click();

 private:
  using Control::Control;
  void applyOwn(std::string_view prop) override;
  friend class Window;
};

// Straight line from (X1, Y1) to (X2, Y2) in window coordinates, drawn with
// LineColor and BorderWidth; clicks go through. Left, Top, Width and Height
// give the same points (X2 = Left + Width), so either set may come first.
class Line : public Control {
 public:
  int x1() const { return x1_; }
  int y1() const { return y1_; }
  int x2() const { return x2_; }
  int y2() const { return y2_; }
  void setProperty(std::string_view prop, const PropValue& value) override;

 private:
  using Control::Control;
  void place();
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  friend class Window;
};

// Up/down arrows: one Up or Down event per press.
class UpDownArrows : public Control {
 public:
  void pressUp();
  void pressDown();

 private:
  using Control::Control;
  void applyOwn(std::string_view prop) override;
  friend class Window;
};

// A thin sunken line across its rectangle (horizontal unless taller than wide).
class Separator : public Control {
 private:
  using Control::Control;
  void applyOwn(std::string_view prop) override;
  friend class Window;
};

// A top-level window holding named controls. Subclasses register their event
// handler methods by name; bindHandler() binds "Control_Event" to a control.
class Window {
 public:
  Window();
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Window-level properties as a layout record names them ("Title", "Width",
  // "Height", "Resizeable", "MenuBarVisible", ...).
  void setProperty(std::string_view prop, const PropValue& value);
  const PropValue* property(std::string_view prop) const;

  std::string title() const;
  int width() const;
  int height() const;
  bool fixedSize() const;
  void show();
  void hide();
  bool isVisible() const;

  // Creates a control of the given class under a name unique in this window.
  Control& addControl(ControlClass cls, const std::string& name);
  // Lookup by name; nullptr if there is none.
  Control* findControl(std::string_view name) const;
  // Lookup by name that must succeed (a missing name is a program error).
  Control& control(std::string_view name) const;
  template <class T>
  T& as(std::string_view name) const {
    return dynamic_cast<T&>(control(name));
  }
  // Controls in order of creation.
  const std::vector<Control*>& controls() const { return order_; }

  // Binds the registered handler named control + "_" + event to that event
  // of the control. Returns false if no such handler is registered.
  bool bindHandler(const std::string& controlName, const std::string& event);

  QWidget* widget() const;
  // The control whose event handler is running (innermost), or nullptr.
  Control* currentControl() const { return current_; }

 protected:
  // Makes a method callable by its name for bindHandler().
  void registerHandler(const std::string& name, std::function<void()> handler);
  // A close request from the window manager: return true to let it close.
  virtual bool closeRequested() { return true; }

 private:
  class Impl;
  void applyFlags();
  void applySize();

  std::unique_ptr<Impl> impl_;
  NameMap<std::unique_ptr<Control>> byName_;
  std::vector<Control*> order_;
  NameMap<std::function<void()>> registry_;
  NameMap<PropValue> props_;
  Control* current_ = nullptr;
  bool dying_ = false;
  friend class Impl;
  friend class Control;
};

}  // namespace fw
