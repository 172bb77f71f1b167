#include "framework/controls.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTextDocument>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "framework/text.h"
#include "framework/utf8.h"

namespace fw {

namespace {

[[noreturn]] void fatal(const std::string& what) {
  std::fprintf(stderr, "Quenlor: %s\n", what.c_str());
  std::abort();
}

int32_t asInt(const PropValue& v) {
  if (auto* i = std::get_if<int32_t>(&v)) return *i;
  if (auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
  if (auto* s = std::get_if<std::string>(&v)) return toInt32(*s);
  return 0;
}

bool asBool(const PropValue& v) {
  if (auto* b = std::get_if<bool>(&v)) return *b;
  if (auto* i = std::get_if<int32_t>(&v)) return *i != 0;
  return false;
}

std::string asString(const PropValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  if (auto* i = std::get_if<int32_t>(&v)) return Str(*i);
  if (auto* b = std::get_if<bool>(&v)) return *b ? "True" : "False";
  return {};
}

// A carriage return is a line break on screen.
QString displayText(const std::string& s) {
  QString t = toQString(s);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar('\r'), QChar('\n'));
  return t;
}

// Button captions: "&" is a character, not a mnemonic.
QString captionText(const std::string& s) {
  QString t = displayText(s);
  t.replace(QChar('&'), QStringLiteral("&&"));
  return t;
}

QColor qcolor(Color c) { return QColor(c.r, c.g, c.b); }

bool is(std::string_view a, const char* b) { return a == b; }

// A value kept by name: replaced when the name is there, added when it is not.
template <class T>
void putByName(NameMap<T>& map, std::string_view name, T value) {
  auto it = map.find(name);
  if (it == map.end()) {
    map.emplace(std::string(name), std::move(value));
  } else {
    it->second = std::move(value);
  }
}

template <class T>
const T* findByName(const NameMap<T>& map, std::string_view name) {
  auto it = map.find(name);
  return it == map.end() ? nullptr : &it->second;
}

bool isFontProp(std::string_view p) {
  return is(p, "TextFont") || is(p, "TextSize") || is(p, "Bold") || is(p, "Italic") || is(p, "Underline");
}

// ---- widgets ----

// Bevel button: push, toggle or sticky. A sticky button's click always
// leaves it pressed; only the program releases it.
class BevelWidget : public QPushButton {
 public:
  explicit BevelWidget(QWidget* parent) : QPushButton(parent) {}
  int type = 0;
  int bevel = 0;

 protected:
  void nextCheckState() override {
    if (type == 2) {
      setChecked(true);
    } else {
      QPushButton::nextCheckState();
    }
  }
  void paintEvent(QPaintEvent* e) override {
    QPushButton::paintEvent(e);
    if (bevel == 0) return;
    // A heavier bevel: a dark outer frame and a light inner one.
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(QPen(palette().color(QPalette::Shadow), 1));
    p.drawRect(r);
    p.setPen(QPen(palette().color(isDown() || isChecked() ? QPalette::Dark : QPalette::Light), 1));
    p.drawRect(r.adjusted(2, 2, -2, -2));
  }
};

class LineEditWidget : public QLineEdit {
 public:
  explicit LineEditWidget(QWidget* parent) : QLineEdit(parent) {}
  bool acceptTabs = false;
  std::function<void()> onFocusLost;

 protected:
  bool event(QEvent* e) override {
    if (acceptTabs && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab &&
        !isReadOnly()) {
      insert(QStringLiteral("\t"));
      return true;
    }
    return QLineEdit::event(e);
  }
  void focusOutEvent(QFocusEvent* e) override {
    QLineEdit::focusOutEvent(e);
    if (onFocusLost) onFocusLost();
  }
};

class PlainEditWidget : public QPlainTextEdit {
 public:
  explicit PlainEditWidget(QWidget* parent) : QPlainTextEdit(parent) {}
  std::function<void()> onFocusLost;

 protected:
  void focusOutEvent(QFocusEvent* e) override {
    QPlainTextEdit::focusOutEvent(e);
    if (onFocusLost) onFocusLost();
  }
};

class LineWidget : public QWidget {
 public:
  explicit LineWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
  QPoint from, to;  // in this widget's coordinates
  QColor color = Qt::black;
  int width = 1;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QPen pen(color, width);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(from, to);
  }
};

class ArrowsWidget : public QWidget {
 public:
  explicit ArrowsWidget(QWidget* parent) : QWidget(parent), up(new QToolButton(this)), down(new QToolButton(this)) {
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up, down}) {
      b->setAutoRepeat(false);  // one event per press
      b->setFocusPolicy(Qt::NoFocus);
      b->setIconSize(QSize(7, 7));
    }
    setFocusPolicy(Qt::NoFocus);
  }
  QToolButton* up;
  QToolButton* down;

 protected:
  void resizeEvent(QResizeEvent*) override {
    const int h = height() / 2;
    up->setGeometry(0, 0, width(), h);
    down->setGeometry(0, h, width(), height() - h);
  }
};

}  // namespace

// ---- Window::Impl: the top-level widget ----

class Window::Impl : public QWidget {
 public:
  explicit Impl(Window* w) : owner(w), radios(new QButtonGroup(this)) { radios->setExclusive(true); }
  Window* owner;
  QButtonGroup* radios;

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (owner && !owner->dying_ && !owner->closeRequested()) {
      e->ignore();
      return;
    }
    e->accept();
  }
};

// ---- Control ----

Control::Control(Window& window, std::string name, ControlClass cls, QWidget* widget)
    : window_(window), name_(std::move(name)), class_(cls), widget_(widget) {}

// The widget belongs to the window's widget tree and goes with it.
Control::~Control() = default;

void Control::setProperty(std::string_view prop, const PropValue& value) {
  storeProperty(prop, value);
  applyCommon(prop);
  applyOwn(prop);
}

const PropValue* Control::property(std::string_view prop) const { return findByName(props_, prop); }

void Control::storeProperty(std::string_view prop, const PropValue& value) { putByName(props_, prop, value); }

int32_t Control::intProp(std::string_view prop, int32_t fallback) const {
  const PropValue* v = property(prop);
  return v ? asInt(*v) : fallback;
}

bool Control::boolProp(std::string_view prop, bool fallback) const {
  const PropValue* v = property(prop);
  return v ? asBool(*v) : fallback;
}

std::string Control::stringProp(std::string_view prop) const {
  const PropValue* v = property(prop);
  return v ? asString(*v) : std::string();
}

Color Control::colorProp(std::string_view prop, Color fallback) const {
  const PropValue* v = property(prop);
  if (v) {
    if (auto* c = std::get_if<Color>(v)) return *c;
  }
  return fallback;
}

bool Control::applyCommon(std::string_view prop) {
  if (is(prop, "Left") || is(prop, "Top") || is(prop, "Width") || is(prop, "Height")) {
    widget_->setGeometry(left(), top(), std::max(0, width()), std::max(0, height()));
  } else if (is(prop, "Visible")) {
    widget_->setVisible(visible());
  } else if (is(prop, "Enabled")) {
    widget_->setEnabled(boolProp("Enabled", true));
  } else if (is(prop, "HelpTag")) {
    const std::string tag = helpTag();
    widget_->setToolTip(tag.empty() ? QString() : Qt::convertFromPlainText(displayText(tag), Qt::WhiteSpaceNormal));
  } else if (isFontProp(prop)) {
    applyFont();
  } else {
    return false;
  }
  return true;
}

void Control::applyFont() {
  QFont f = QApplication::font();
  const std::string family = stringProp("TextFont");
  if (!family.empty() && family != "System") f.setFamily(toQString(family));
  // Sizes are pixels, so that a layout in pixels keeps its proportions.
  const int size = intProp("TextSize", 0);
  if (size > 0) f.setPixelSize(size);
  f.setBold(boolProp("Bold"));
  f.setItalic(boolProp("Italic"));
  f.setUnderline(boolProp("Underline"));
  widget_->setFont(f);
}

void Control::replaceWidget(QWidget* widget) {
  QWidget* old = widget_;
  const bool hadFocus = old->hasFocus();
  widget_ = widget;
  // Tab order follows creation, so the new widget takes the old one's place.
  QWidget::setTabOrder(old, widget);
  old->hide();
  old->disconnect();
  old->deleteLater();
  const NameMap<PropValue> props = props_;
  for (const auto& [name, value] : props) setProperty(name, value);
  widget_->setVisible(visible());
  if (hadFocus) widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::visible() const { return boolProp("Visible", true); }
void Control::setVisible(bool v) { setProperty("Visible", v); }
int Control::left() const { return intProp("Left"); }
int Control::top() const { return intProp("Top"); }
int Control::width() const { return intProp("Width", widget_->width()); }
int Control::height() const { return intProp("Height", widget_->height()); }
std::string Control::helpTag() const { return stringProp("HelpTag"); }

void Control::bind(std::string_view event, std::function<void()> handler) {
  putByName(handlers_, event, std::move(handler));
}

bool Control::hasHandler(std::string_view event) const { return handlers_.find(event) != handlers_.end(); }

void Control::fire(std::string_view event) {
  if (window_.dying_) return;
  auto it = handlers_.find(event);
  if (it == handlers_.end() || !it->second) return;
  // A copy: the handler may rebind its own event while it runs.
  const std::function<void()> handler = it->second;
  struct Current {
    Window& w;
    Control* saved;
    ~Current() { w.current_ = saved; }
  } restore{window_, window_.current_};
  window_.current_ = this;
  handler();
}

// ---- BevelButton ----

namespace {
BevelWidget* bevel(QWidget* w) { return static_cast<BevelWidget*>(w); }
}  // namespace

std::string BevelButton::caption() const { return stringProp("Caption"); }
void BevelButton::setCaption(const std::string& text) { setProperty("Caption", text); }
int BevelButton::buttonType() const { return intProp("ButtonType", 0); }

bool BevelButton::value() const {
  if (bevel(widget())->isCheckable()) return bevel(widget())->isChecked();
  return boolProp("Value");
}

void BevelButton::setValue(bool pressed) { setProperty("Value", pressed); }

void BevelButton::click() { bevel(widget())->click(); }

void BevelButton::applyOwn(std::string_view prop) {
  BevelWidget* b = bevel(widget());
  if (is(prop, "Caption")) {
    b->setText(captionText(caption()));
  } else if (is(prop, "ButtonType")) {
    b->type = buttonType();
    b->setCheckable(b->type == 1 || b->type == 2);
    applyOwn("Value");
  } else if (is(prop, "Value")) {
    // No signal of ours follows setChecked: only a click runs Action.
    if (b->isCheckable()) b->setChecked(boolProp("Value"));
  } else if (is(prop, "Bevel")) {
    b->bevel = intProp("Bevel");
    b->update();
  } else if (is(prop, "AcceptFocus")) {
    b->setFocusPolicy(boolProp("AcceptFocus") ? Qt::StrongFocus : Qt::NoFocus);
  }
}

// ---- EditField ----

namespace {
QString editText(const QWidget* w) {
  if (auto* le = dynamic_cast<const QLineEdit*>(w)) return le->text();
  return static_cast<const QPlainTextEdit*>(w)->document()->toRawText();
}
}  // namespace

std::string EditField::text() const { return text_; }

bool EditField::multiLine() const { return dynamic_cast<QPlainTextEdit*>(widget()) != nullptr; }

void EditField::setText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  storeProperty("Text", text_);
  showText();
  fire("TextChange");
}

void EditField::showText() {
  writing_ = true;
  if (auto* le = dynamic_cast<QLineEdit*>(widget())) {
    le->setText(toQString(text_));
  } else {
    static_cast<QPlainTextEdit*>(widget())->setPlainText(displayText(text_));
  }
  writing_ = false;
  shownUtf8_ = toUtf8(editText(widget()));
}

void EditField::widgetChanged() {
  if (writing_) return;
  const std::string shown = toUtf8(editText(widget()));
  if (shown == shownUtf8_) return;  // a format change, not a text change
  shownUtf8_ = shown;
  if (multiLine()) {
    // Paragraphs end with a carriage return, the program's line end; so does
    // the line break that Shift+Return types.
    QString t = editText(widget());
    t.replace(QChar::ParagraphSeparator, QChar('\r'));
    t.replace(QChar::LineSeparator, QChar('\r'));
    text_ = toUtf8(t);
  } else {
    text_ = shown;
  }
  storeProperty("Text", text_);
  fire("TextChange");
}

void EditField::widgetLostFocus() {
  // Only a move to another control of this window counts: a message box or
  // another window taking the focus is no loss.
  QWidget* now = QApplication::focusWidget();
  if (now && now != widget() && now->window() == widget()->window()) fire("LostFocus");
}

void EditField::setFocus() { widget()->setFocus(Qt::OtherFocusReason); }
bool EditField::hasFocus() const { return widget()->hasFocus(); }

void EditField::setProperty(std::string_view prop, const PropValue& value) {
  if (is(prop, "Text")) {
    storeProperty(prop, asString(value));
    setText(asString(value));
    return;
  }
  if (is(prop, "MultiLine") && asBool(value) != multiLine()) {
    storeProperty(prop, value);
    QWidget* parent = widget()->parentWidget();
    QWidget* next;
    if (asBool(value)) {
      next = new PlainEditWidget(parent);
    } else {
      next = new LineEditWidget(parent);
    }
    // The old widget must not report its own removal as a loss of focus.
    if (auto* le = dynamic_cast<LineEditWidget*>(widget())) le->onFocusLost = nullptr;
    if (auto* pe = dynamic_cast<PlainEditWidget*>(widget())) pe->onFocusLost = nullptr;
    attach(next);
    replaceWidget(next);
    showText();
    return;
  }
  Control::setProperty(prop, value);
}

void EditField::applyOwn(std::string_view prop) {
  QWidget* w = widget();
  auto* le = dynamic_cast<LineEditWidget*>(w);
  auto* pe = dynamic_cast<PlainEditWidget*>(w);
  if (is(prop, "TextColor") || is(prop, "BackColor")) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Text, qcolor(colorProp("TextColor", Color{0, 0, 0})));
    pal.setColor(QPalette::Base, qcolor(colorProp("BackColor", Color{255, 255, 255})));
    w->setPalette(pal);
  } else if (is(prop, "Border")) {
    const bool border = boolProp("Border", true);
    if (le) le->setFrame(border);
    if (pe) pe->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
  } else if (is(prop, "ReadOnly")) {
    if (le) le->setReadOnly(boolProp("ReadOnly"));
    if (pe) pe->setReadOnly(boolProp("ReadOnly"));
  } else if (is(prop, "Password")) {
    if (le) le->setEchoMode(boolProp("Password") ? QLineEdit::Password : QLineEdit::Normal);
  } else if (is(prop, "LimitText")) {
    const int limit = intProp("LimitText");
    if (le) le->setMaxLength(limit > 0 ? limit : std::numeric_limits<int>::max());
  } else if (is(prop, "AcceptTabs")) {
    if (le) le->acceptTabs = boolProp("AcceptTabs");
    if (pe) pe->setTabChangesFocus(!boolProp("AcceptTabs"));
  } else if (is(prop, "Alignment")) {
    // 0 is the default (left), 1 left, 2 centre, 3 right.
    const int a = intProp("Alignment");
    const Qt::Alignment h = a == 2 ? Qt::AlignHCenter : (a == 3 ? Qt::AlignRight : Qt::AlignLeft);
    if (le) le->setAlignment(h | Qt::AlignVCenter);
    if (pe) {
      QTextOption o = pe->document()->defaultTextOption();
      o.setAlignment(h);
      pe->document()->setDefaultTextOption(o);
    }
  } else if (is(prop, "ScrollBarVertical") || is(prop, "ScrollBarHorizontal")) {
    if (pe) {
      const auto policy = [](bool shown) { return shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff; };
      pe->setVerticalScrollBarPolicy(policy(boolProp("ScrollBarVertical", true)));
      pe->setHorizontalScrollBarPolicy(policy(boolProp("ScrollBarHorizontal")));
      pe->setLineWrapMode(boolProp("ScrollBarHorizontal") ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    }
  }
}

// ---- StaticText ----

std::string StaticText::text() const { return stringProp("Text"); }
void StaticText::setText(const std::string& text) { setProperty("Text", text); }

void StaticText::applyOwn(std::string_view prop) {
  auto* l = static_cast<QLabel*>(widget());
  if (is(prop, "Text")) {
    l->setText(displayText(text()));
  } else if (is(prop, "TextAlign") || is(prop, "MultiLine")) {
    // 0 flush left, 1 centred, 2 flush right.
    const int a = intProp("TextAlign");
    const Qt::Alignment h = a == 1 ? Qt::AlignHCenter : (a == 2 ? Qt::AlignRight : Qt::AlignLeft);
    const bool multi = boolProp("MultiLine");
    l->setAlignment(h | (multi ? Qt::AlignTop : Qt::AlignVCenter));
    l->setWordWrap(multi);
  } else if (is(prop, "TextColor")) {
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, qcolor(colorProp("TextColor", Color{0, 0, 0})));
    l->setPalette(pal);
  }
}

// ---- RadioButton ----

std::string RadioButton::caption() const { return stringProp("Caption"); }
bool RadioButton::value() const { return static_cast<QRadioButton*>(widget())->isChecked(); }
void RadioButton::setValue(bool selected) { setProperty("Value", selected); }
void RadioButton::click() { static_cast<QRadioButton*>(widget())->click(); }

void RadioButton::applyOwn(std::string_view prop) {
  auto* r = static_cast<QRadioButton*>(widget());
  if (is(prop, "Caption")) {
    r->setText(captionText(caption()));
  } else if (is(prop, "Value")) {
    const bool v = boolProp("Value");
    if (v == r->isChecked()) return;
    QButtonGroup* g = r->group();
    // An exclusive group refuses to release its selected button.
    if (!v && g) g->setExclusive(false);
    r->setChecked(v);
    if (!v && g) g->setExclusive(true);
  }
}

// ---- Line ----

void Line::setProperty(std::string_view prop, const PropValue& value) {
  storeProperty(prop, value);
  const int v = asInt(value);
  if (is(prop, "Left")) {
    x2_ += v - x1_;
    x1_ = v;
  } else if (is(prop, "Top")) {
    y2_ += v - y1_;
    y1_ = v;
  } else if (is(prop, "Width")) {
    x2_ = x1_ + v;
  } else if (is(prop, "Height")) {
    y2_ = y1_ + v;
  } else if (is(prop, "X1")) {
    x1_ = v;
  } else if (is(prop, "X2")) {
    x2_ = v;
  } else if (is(prop, "Y1")) {
    y1_ = v;
  } else if (is(prop, "Y2")) {
    y2_ = v;
  } else if (!is(prop, "LineColor") && !is(prop, "BorderWidth")) {
    applyCommon(prop);
    return;
  }
  place();
}

void Line::place() {
  auto* w = static_cast<LineWidget*>(widget());
  w->width = std::max(1, intProp("BorderWidth", 1));
  w->color = qcolor(colorProp("LineColor", Color{0, 0, 0}));
  const int pad = w->width;
  const QPoint topLeft(std::min(x1_, x2_), std::min(y1_, y2_)), bottomRight(std::max(x1_, x2_), std::max(y1_, y2_));
  const QRect box = QRect(topLeft, bottomRight).adjusted(-pad, -pad, pad, pad);
  w->setGeometry(box);
  w->from = QPoint(x1_, y1_) - box.topLeft();
  w->to = QPoint(x2_, y2_) - box.topLeft();
  w->update();
}

// ---- UpDownArrows ----

void UpDownArrows::pressUp() { static_cast<ArrowsWidget*>(widget())->up->click(); }
void UpDownArrows::pressDown() { static_cast<ArrowsWidget*>(widget())->down->click(); }

void UpDownArrows::applyOwn(std::string_view prop) {
  if (is(prop, "AcceptFocus")) {
    auto* a = static_cast<ArrowsWidget*>(widget());
    const Qt::FocusPolicy p = boolProp("AcceptFocus") ? Qt::StrongFocus : Qt::NoFocus;
    a->up->setFocusPolicy(p);
    a->down->setFocusPolicy(p);
  }
}

// ---- Separator ----

void Separator::applyOwn(std::string_view prop) {
  if (is(prop, "Width") || is(prop, "Height")) {
    auto* f = static_cast<QFrame*>(widget());
    f->setFrameShape(height() > width() ? QFrame::VLine : QFrame::HLine);
  }
}

// ---- Window ----

Window::Window() : impl_(std::make_unique<Impl>(this)) {}

Window::~Window() {
  // Handlers of the subclass are gone by now: nothing may run while the
  // widgets go, and the controls outlive their widgets only for this moment.
  dying_ = true;
  impl_->owner = nullptr;
  impl_.reset();
}

QWidget* Window::widget() const { return impl_.get(); }

void EditField::attach(QWidget* w) {
  EditField* f = this;
  if (auto* le = dynamic_cast<LineEditWidget*>(w)) {
    QObject::connect(le, &QLineEdit::textChanged, le, [f] { f->widgetChanged(); });
    le->onFocusLost = [f] { f->widgetLostFocus(); };
    le->setMaxLength(std::numeric_limits<int>::max());  // no length limit
  } else if (auto* pe = dynamic_cast<PlainEditWidget*>(w)) {
    QObject::connect(pe, &QPlainTextEdit::textChanged, pe, [f] { f->widgetChanged(); });
    pe->onFocusLost = [f] { f->widgetLostFocus(); };
    pe->setTabChangesFocus(true);
  }
}

Control& Window::addControl(ControlClass cls, const std::string& name) {
  if (byName_.find(name) != byName_.end()) fatal("two controls named " + name + " in one window");
  QWidget* parent = impl_.get();
  std::unique_ptr<Control> c;
  switch (cls) {
    case ControlClass::BevelButton: {
      auto* b = new BevelWidget(parent);
      b->setFocusPolicy(Qt::NoFocus);
      b->setAutoDefault(false);
      c.reset(new BevelButton(*this, name, cls, b));
      auto* ctl = static_cast<BevelButton*>(c.get());
      QObject::connect(b, &QAbstractButton::clicked, b, [ctl, b] {
        if (b->isCheckable()) ctl->storeProperty("Value", b->isChecked());
        ctl->fire("Action");
      });
      break;
    }
    case ControlClass::EditField: {
      auto* le = new LineEditWidget(parent);
      c.reset(new EditField(*this, name, cls, le));
      static_cast<EditField&>(*c).attach(le);
      break;
    }
    case ControlClass::StaticText: {
      auto* l = new QLabel(parent);
      l->setTextFormat(Qt::PlainText);
      l->setAttribute(Qt::WA_TransparentForMouseEvents);
      l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      c.reset(new StaticText(*this, name, cls, l));
      break;
    }
    case ControlClass::RadioButton: {
      auto* r = new QRadioButton(parent);
      r->setFocusPolicy(Qt::TabFocus);
      impl_->radios->addButton(r);
      c.reset(new RadioButton(*this, name, cls, r));
      auto* ctl = static_cast<RadioButton*>(c.get());
      QObject::connect(r, &QAbstractButton::toggled, r, [ctl](bool on) { ctl->storeProperty("Value", on); });
      QObject::connect(r, &QAbstractButton::clicked, r, [ctl] { ctl->fire("Action"); });
      break;
    }
    case ControlClass::Line: {
      c.reset(new Line(*this, name, cls, new LineWidget(parent)));
      static_cast<Line*>(c.get())->place();
      break;
    }
    case ControlClass::UpDownArrows: {
      auto* a = new ArrowsWidget(parent);
      c.reset(new UpDownArrows(*this, name, cls, a));
      auto* ctl = c.get();
      auto* arrows = static_cast<UpDownArrows*>(ctl);
      // On the press itself, once: the arrows do not repeat.
      QObject::connect(a->up, &QAbstractButton::pressed, a, [arrows] { arrows->fire("Up"); });
      QObject::connect(a->down, &QAbstractButton::pressed, a, [arrows] { arrows->fire("Down"); });
      break;
    }
    case ControlClass::Separator: {
      auto* f = new QFrame(parent);
      f->setFrameShape(QFrame::HLine);
      f->setFrameShadow(QFrame::Sunken);
      f->setAttribute(Qt::WA_TransparentForMouseEvents);
      c.reset(new Separator(*this, name, cls, f));
      break;
    }
  }
  c->widget()->show();
  Control& ref = *c;
  order_.push_back(c.get());
  byName_.emplace(name, std::move(c));
  return ref;
}

Control* Window::findControl(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second.get();
}

Control& Window::control(std::string_view name) const {
  Control* c = findControl(name);
  if (!c) fatal("no control named " + std::string(name));
  return *c;
}

void Window::registerHandler(const std::string& name, std::function<void()> handler) {
  registry_[name] = std::move(handler);
}

bool Window::bindHandler(const std::string& controlName, const std::string& event) {
  Control* c = findControl(controlName);
  auto it = registry_.find(controlName + "_" + event);
  if (!c || it == registry_.end()) return false;
  c->bind(event, it->second);
  return true;
}

void Window::setProperty(std::string_view prop, const PropValue& value) {
  putByName(props_, prop, value);
  QWidget* w = impl_.get();
  if (is(prop, "Title")) {
    w->setWindowTitle(toQString(title()));
  } else if (is(prop, "Width") || is(prop, "Height") || is(prop, "Resizeable") || is(prop, "MinWidth") ||
             is(prop, "MinHeight") || is(prop, "MaxWidth") || is(prop, "MaxHeight")) {
    applySize();
  } else if (is(prop, "CloseButton") || is(prop, "MinimizeButton") || is(prop, "MaximizeButton")) {
    applyFlags();
  } else if (is(prop, "Visible")) {
    w->setVisible(asBool(value));
  } else if (is(prop, "BackColor") || is(prop, "HasBackColor")) {
    const PropValue* has = property("HasBackColor");
    const PropValue* back = property("BackColor");
    const bool use = has && asBool(*has) && back && std::holds_alternative<Color>(*back);
    w->setAutoFillBackground(use);
    if (use) {
      QPalette pal = w->palette();
      pal.setColor(QPalette::Window, qcolor(std::get<Color>(*back)));
      w->setPalette(pal);
    }
  }
}

const PropValue* Window::property(std::string_view prop) const { return findByName(props_, prop); }

std::string Window::title() const {
  const PropValue* v = property("Title");
  return v ? asString(*v) : std::string();
}

int Window::width() const {
  const PropValue* v = property("Width");
  return v ? asInt(*v) : impl_->width();
}

int Window::height() const {
  const PropValue* v = property("Height");
  return v ? asInt(*v) : impl_->height();
}

bool Window::fixedSize() const {
  const PropValue* v = property("Resizeable");
  return v && !asBool(*v);
}

void Window::applySize() {
  QWidget* w = impl_.get();
  const int wd = std::max(1, width());
  const int ht = std::max(1, height());
  if (fixedSize()) {
    w->setFixedSize(wd, ht);
    return;
  }
  auto get = [this](const char* name, int fallback) {
    const PropValue* v = property(name);
    return v ? asInt(*v) : fallback;
  };
  w->setMinimumSize(std::max(0, get("MinWidth", 0)), std::max(0, get("MinHeight", 0)));
  w->setMaximumSize(std::min(QWIDGETSIZE_MAX, get("MaxWidth", QWIDGETSIZE_MAX)),
                    std::min(QWIDGETSIZE_MAX, get("MaxHeight", QWIDGETSIZE_MAX)));
  w->resize(wd, ht);
}

void Window::applyFlags() {
  auto flag = [this](const char* name) {
    const PropValue* v = property(name);
    return !v || asBool(*v);
  };
  Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (flag("CloseButton")) f |= Qt::WindowCloseButtonHint;
  if (flag("MinimizeButton")) f |= Qt::WindowMinimizeButtonHint;
  if (flag("MaximizeButton") && !fixedSize()) f |= Qt::WindowMaximizeButtonHint;
  QWidget* w = impl_.get();
  if (w->windowFlags() == f) return;
  const bool shown = w->isVisible();
  w->setWindowFlags(f);  // hides the window
  if (shown) w->show();
}

void Window::show() {
  // A window that is open already comes to the front, from the task bar too
  // when it was minimised.
  impl_->setWindowState(impl_->windowState() & ~Qt::WindowMinimized);
  impl_->show();
  impl_->raise();
  impl_->activateWindow();
}
void Window::hide() { impl_->hide(); }
bool Window::isVisible() const { return impl_->isVisible(); }

}  // namespace fw
