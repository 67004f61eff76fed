#include "app/widgets/controls.h"

#include "model/cp1252.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>
#include <QValidator>

namespace vx {
namespace {

int g_handlerDepth = 0;
std::function<void(const std::exception&)> g_reporter;

constexpr int kRefusalHintMs = 4000;

// The characters of `text` the printer cannot print (outside its code page, or control
// characters), each once, in order of appearance.
QString unprintableCharacters(const QString& text) {
  QString found;
  for (char32_t c : QStringView(text).toUcs4()) {
    const bool printable = c >= 0x20 && c <= 0xFFFF && cp1252::canEncode(QChar(static_cast<char16_t>(c)));
    if (printable) continue;
    const QString one = QString::fromUcs4(&c, 1);
    if (!found.contains(one)) found += one;
  }
  return found;
}

// Refuses typed or pasted text that is longer than the limit or holds a character the
// printer's code page cannot print; the characters of a refusal for that reason are left
// in `refused` (empty after any other outcome). Text is compared in composed form, so an
// accent typed as a separate mark counts as one character.
class TicketTextValidator : public QValidator {
 public:
  TicketTextValidator(const int& limit, QString& refused, QObject* parent)
      : QValidator(parent), limit_(limit), refused_(refused) {}
  State validate(QString& input, int& pos) const override {
    refused_.clear();
    const QString composed = input.normalized(QString::NormalizationForm_C);
    if (composed != input) {
      pos -= static_cast<int>(input.size() - composed.size());
      if (pos < 0) pos = 0;
      input = composed;
    }
    refused_ = unprintableCharacters(input);
    if (!refused_.isEmpty()) return Invalid;
    if (limit_ > 0 && input.size() > limit_) return Invalid;
    return Acceptable;
  }

 private:
  const int& limit_;
  QString& refused_;
};

// A control character has no glyph: the hint names it by its code.
QString shownCharacter(const QString& c) {
  if (c.size() == 1 && c.at(0).unicode() < 0x20)
    return QStringLiteral("U+%1").arg(c.at(0).unicode(), 4, 16, QLatin1Char('0')).toUpper();
  return c;
}

}  // namespace

void setErrorReporter(std::function<void(const std::exception&)> reporter) { g_reporter = std::move(reporter); }

void reportError(const std::exception& e) {
  if (g_reporter) g_reporter(e);
}

bool isOutermostHandler() { return g_handlerDepth == 1; }

void runHandler(const Handler& handler) {
  if (!handler) return;
  if (g_handlerDepth > 0) {
    ++g_handlerDepth;
    struct Leave {
      ~Leave() { --g_handlerDepth; }
    } leave;
    handler();
    return;
  }
  ++g_handlerDepth;
  try {
    handler();
  } catch (const std::exception& e) {
    g_handlerDepth = 0;
    reportError(e);
    return;
  }
  g_handlerDepth = 0;
}

void processEventsInHandler() {
  const int depth = g_handlerDepth;
  g_handlerDepth = 0;
  QCoreApplication::processEvents();
  g_handlerDepth = depth;
}

LineEdit::LineEdit(QWidget* parent) : QLineEdit(parent) {
  setValidator(new TicketTextValidator(limit_, refused_, this));
  connect(this, &QLineEdit::textChanged, this, [this] { runHandler(onChange); });
  // Refused input leaves the text as it was; without a word the operator could only guess
  // why a key did nothing.
  connect(this, &QLineEdit::inputRejected, this, [this] {
    if (!refused_.isEmpty()) showRefusal();
  });
}

void LineEdit::setLimit(int characters) { limit_ = characters; }

void LineEdit::showRefusal() {
  if (!hint_) {
    // Not a QToolTip: a tool tip hides at the release of the very key that was refused.
    hint_ = new QLabel(this, Qt::ToolTip);
    hint_->setObjectName(QStringLiteral("refusalHint"));
    hint_->setAttribute(Qt::WA_ShowWithoutActivating);
    hint_->setAttribute(Qt::WA_TransparentForMouseEvents);
    hint_->setForegroundRole(QPalette::ToolTipText);
    hint_->setBackgroundRole(QPalette::ToolTipBase);
    hint_->setPalette(QToolTip::palette());
    hint_->setFont(QToolTip::font());
    hint_->setAutoFillBackground(true);
    hint_->setFrameShape(QFrame::Box);
    hint_->setMargin(3);
    hintTimer_ = new QTimer(this);
    hintTimer_->setSingleShot(true);
    hintTimer_->setInterval(kRefusalHintMs);
    connect(hintTimer_, &QTimer::timeout, hint_, &QWidget::hide);
  }
  QStringList shown;
  for (char32_t c : QStringView(refused_).toUcs4()) shown << shownCharacter(QString::fromUcs4(&c, 1));
  hint_->setText(shown.size() == 1
                     ? tr("Caractere não suportado pela impressora: %1").arg(shown.constFirst())
                     : tr("Caracteres não suportados pela impressora: %1").arg(shown.join(QLatin1Char(' '))));
  hint_->adjustSize();
  hint_->move(mapToGlobal(QPoint(0, height() + 2)));
  hint_->show();
  hintTimer_->start();
}

void LineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (hint_) hint_->hide();
}

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {
  // The field itself accepts any number; the limits are applied as the original platform
  // did: by the arrows and when the field loses the focus.
  setRange(-999999, 999999);
  setKeyboardTracking(true);
  connect(this, &QSpinBox::valueChanged, this, [this] { runHandler(onChange); });
}

void SpinEdit::stepBy(int steps) {
  const int v = std::clamp(value() + steps * singleStep(), min_, std::max(min_, max_));
  setValue(v);
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
  QSpinBox::focusOutEvent(event);
  if (max_ > min_) {
    const int v = std::clamp(value(), min_, max_);
    if (v != value()) setValue(v);
  }
}

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
  connect(this, &QCheckBox::toggled, this, [this] { runHandler(onClick); });
}

RadioButton::RadioButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {
  setAutoExclusive(false);
  connect(this, &QRadioButton::toggled, this, [this](bool checked) {
    if (!checked) return;
    for (RadioButton* other : group_)
      if (other != this) other->setChecked(false);
    runHandler(onClick);
  });
}

void RadioButton::nextCheckState() {
  // A click checks the button; only another button of the group unchecks it.
  if (!isChecked()) setChecked(true);
}

ComboBox::ComboBox(bool editable, QWidget* parent) : QComboBox(parent) {
  setEditable(editable);
  if (editable) {
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
      edited_ = true;
      runHandler(onChange);
    });
  }
  connect(this, &QComboBox::activated, this, [this] {
    edited_ = false;
    runHandler(onChange);
  });
}

int ComboBox::itemIndex() const {
  if (edited_) return -1;
  return currentIndex();
}

void ComboBox::setItemIndex(int index) {
  edited_ = false;
  const QSignalBlocker block(this);
  setCurrentIndex(index);
  if (index < 0 && isEditable()) setEditText(QString());
}

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent) {
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QScrollBar::valueChanged, this, [this] { runHandler(onChange); });
}

void ScrollBar::keyPressEvent(QKeyEvent* event) {
  // A horizontal scroll bar's controls are inverted for the wheel's sake, which would make
  // the left arrow key move it right: the arrow keys go the way their arrows point.
  const int key = event->key();
  if (orientation() == Qt::Horizontal && (key == Qt::Key_Left || key == Qt::Key_Right)) {
    const bool towardsEnd = (key == Qt::Key_Right) != isRightToLeft();
    triggerAction(towardsEnd ? SliderSingleStepAdd : SliderSingleStepSub);
    event->accept();
    return;
  }
  QScrollBar::keyPressEvent(event);
}

void ScrollBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (!hasFocus()) return;
  // Most styles draw no focus on a scroll bar; without a frame an operator on the keyboard
  // cannot see which control the arrows move.
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

TabBar::TabBar(QWidget* parent) : QTabBar(parent) {
  connect(this, &QTabBar::currentChanged, this, [this] {
    if (!programmatic_) runHandler(onChange);
  });
}

void TabBar::setTabIndex(int index) {
  programmatic_ = true;
  setCurrentIndex(index);
  programmatic_ = false;
}

Image::Image(QWidget* parent) : QWidget(parent) {}

void Image::setPicture(const QImage& picture) {
  picture_ = picture;
  scaled_ = QPixmap();
  update();
}

void Image::setFocusFrame(bool on) {
  if (on == focusFrame_) return;
  focusFrame_ = on;
  update();
}

void Image::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  if (picture_.isNull()) {
  } else if (!stretch_) {
    painter.drawImage(0, 0, picture_);
  } else {
    // Nearest-neighbour stretch, done once per picture and size rather than at every paint.
    if (scaled_.size() != size())
      scaled_ = QPixmap::fromImage(picture_.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    painter.drawPixmap(0, 0, scaled_);
  }
  if (focusFrame_) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
    painter.drawRect(rect().adjusted(2, 2, -2, -2));
  }
}

void Image::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    const QPoint p = event->position().toPoint();
    if (onMouseDown) runHandler([&] { onMouseDown(p.x(), p.y()); });
  }
  QWidget::mousePressEvent(event);
}

void Image::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && pressed_) {
    pressed_ = false;
    if (rect().contains(event->position().toPoint())) runHandler(onClick);
  }
  QWidget::mouseReleaseEvent(event);
}

}  // namespace vx
