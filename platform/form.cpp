#include "platform/form.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/dialog_units.h"
#include "platform/gdi.h"
#include "platform/scroll_codes.h"

QSize TemplateClientSize(const DialogTemplate& t) {
    return QSize(DluToPixelsX(t.cx), DluToPixelsY(t.cy));
}

QFont TemplateFont(const DialogTemplate& t) {
    QFont font(QString::fromUtf8(t.fontFace));
    // Dialog fonts are given in points at 96 dpi: 8 pt is 11 pixels.
    font.setPixelSize((t.fontPoints * 96 + 36) / 72);
    return font;
}

QString TemplateText(const char* text) {
    return QCoreApplication::translate("Dialog", text);
}

namespace {

// Outer edge, outside the client area, for a frame style.
int OuterEdge(unsigned style) {
    if (style & (CS_CLIENTEDGE | CS_MODALFRAME))
        return 2;
    if (style & (CS_STATICEDGE | CS_BORDER))
        return 1;
    return 0;
}

void MakeRadioGroup(QWidget* parent, QRadioButton* button) {
    button->setAutoExclusive(false);
    QObject::connect(button, &QAbstractButton::clicked, parent, [parent, button](bool) {
        // A click always leaves the clicked button checked and the other radio buttons of the
        // form cleared.
        button->setChecked(true);
        for (QRadioButton* other :
             parent->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
            if (other != button)
                other->setChecked(false);
        }
    });
}

// An edit control: several lines, or one.
QWidget* MakeEdit(QWidget* parent, const ControlTemplate& c, const QString& text) {
    if (!(c.style & CS_MULTILINE)) {
        auto* e = new QLineEdit(text, parent);
        e->setReadOnly(c.style & CS_READONLY);
        return e;
    }
    auto* e = new QPlainTextEdit(parent);
    e->setReadOnly(c.style & CS_READONLY);
    e->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Auto-scrolling edits follow the caret without scroll bars of their own.
    if (c.style & CS_AUTOSCROLL) {
        e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    e->setPlainText(text);
    return e;
}

// The widget of one control of the template, with its text; `previous` is the control made
// before it (an up-down control's buddy).
QWidget* MakeControl(QWidget* parent, const ControlTemplate& c, const QString& text,
                     QWidget* previous) {
    QWidget* w = nullptr;
    switch (c.kind) {
        case CtlKind::PushButton:
        case CtlKind::DefPushButton: {
            auto* b = new QPushButton(text, parent);
            b->setAutoDefault(false);
            b->setDefault(c.kind == CtlKind::DefPushButton);
            w = b;
            break;
        }
        case CtlKind::GroupBox: {
            auto* g = new QGroupBox(text, parent);
            g->setAttribute(Qt::WA_TransparentForMouseEvents);
            w = g;
            break;
        }
        case CtlKind::Static: {
            auto* l = new QLabel(text, parent);
            l->setAttribute(Qt::WA_TransparentForMouseEvents);
            w = l;
            break;
        }
        case CtlKind::Frame: {
            auto* f = new PanelFrame(c.style, parent);
            w = f;
            break;
        }
        case CtlKind::Edit:
            w = MakeEdit(parent, c, text);
            break;
        case CtlKind::RadioButton: {
            auto* r = new QRadioButton(text, parent);
            MakeRadioGroup(parent, r);
            w = r;
            break;
        }
        case CtlKind::CheckBox:
            w = new QCheckBox(text, parent);
            break;
        case CtlKind::HScrollBar:
            w = new ScrollCodeBar(parent);
            break;
        case CtlKind::ComboBox: {
            auto* cb = new QComboBox(parent);
            cb->setEditable(true);
            cb->setInsertPolicy(QComboBox::NoInsert);
            w = cb;
            break;
        }
        case CtlKind::UpDown: {
            auto* ud = new UpDownControl(parent);
            if (auto* buddy = qobject_cast<QLineEdit*>(previous))
                ud->SetBuddy(buddy);
            w = ud;
            break;
        }
        case CtlKind::Progress: {
            auto* p = new QProgressBar(parent);
            p->setTextVisible(false);
            w = p;
            break;
        }
    }
    return w;
}

// Where the control goes and how it takes the focus.
void PlaceControl(QWidget* w, const ControlTemplate& c, const QString& text) {
    QRect r = DluRectToPixels(c.x, c.y, c.cx, c.cy);
    if (c.kind == CtlKind::ComboBox) {
        // The template's height includes the dropped-down list; the closed box is one line.
        r.setHeight(std::min(r.height(), DluToPixelsY(12) + 2));
    }
    if (c.kind == CtlKind::PushButton || c.kind == CtlKind::DefPushButton) {
        // A caption wider than its button is set a little smaller rather than cut off.
        constexpr int kMargin = 8;
        QFont font = w->font();
        while (font.pixelSize() > 9 &&
               QFontMetrics(font).horizontalAdvance(text) + kMargin > r.width()) {
            font.setPixelSize(font.pixelSize() - 1);
            w->setFont(font);
        }
    }
    if (c.kind == CtlKind::RadioButton || c.kind == CtlKind::CheckBox ||
        c.kind == CtlKind::Static) {
        // Text controls keep their whole text visible with the substituted fonts.
        r.setWidth(std::max(r.width(), w->sizeHint().width()));
    }
    w->setGeometry(r);
    w->setFocusPolicy(
        (c.style & CS_TABSTOP) || c.kind == CtlKind::Edit || c.kind == CtlKind::ComboBox
            ? Qt::StrongFocus
            : (c.kind == CtlKind::GroupBox || c.kind == CtlKind::Static || c.kind == CtlKind::Frame
                   ? Qt::NoFocus
                   : Qt::ClickFocus));
}

}  // namespace

ControlMap BuildControls(QWidget* parent, const DialogTemplate& t) {
    ControlMap map;
    parent->setFont(TemplateFont(t));
    QWidget* previous = nullptr;
    for (const ControlTemplate& c : t.controls) {
        const QString text = TemplateText(c.text);
        QWidget* w = MakeControl(parent, c, text, previous);
        PlaceControl(w, c, text);
        w->setEnabled(!(c.style & CS_DISABLED));
        w->setProperty("controlId", c.id);
        if (c.id != -1)
            map.Add(c.id, w);
        previous = w;
    }
    return map;
}

void CheckDlgButton(const ControlMap& controls, int id, bool checked) {
    if (auto* b = controls.Get<QAbstractButton>(id))
        b->setChecked(checked);
}

bool IsDlgButtonChecked(const ControlMap& controls, int id) {
    auto* b = controls.Get<QAbstractButton>(id);
    return b && b->isChecked();
}

void SetDlgItemText(const ControlMap& controls, int id, const QString& text) {
    QWidget* w = controls.Item(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
        pe->setPlainText(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        cb->setEditText(text);
    }
}

QString GetDlgItemText(const ControlMap& controls, int id) {
    QWidget* w = controls.Item(id);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* pe = qobject_cast<QPlainTextEdit*>(w))
        return pe->toPlainText();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* cb = qobject_cast<QComboBox*>(w))
        return cb->currentText();
    return QString();
}

PanelFrame::PanelFrame(unsigned style, QWidget* parent) : QFrame(parent), m_style(style) {
    const int edge = OuterEdge(style);
    setFrameStyle(QFrame::NoFrame);
    setContentsMargins(edge, edge, edge, edge);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PanelFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect outer = rect();
    const QRect client = contentsRect();
    const QColor face = palette().color(QPalette::Window);
    p.fillRect(outer, face);

    // Outer edges.
    if (m_style & CS_BORDER) {
        p.setPen(Qt::black);
        p.drawRect(outer.adjusted(0, 0, -1, -1));
    } else if (m_style & (CS_STATICEDGE | CS_CLIENTEDGE | CS_MODALFRAME)) {
        const bool raised = m_style & CS_MODALFRAME;
        const QColor dark = palette().color(QPalette::Dark);
        const QColor light = palette().color(QPalette::Light);
        for (int i = 0; i < OuterEdge(m_style); ++i) {
            const QRect r = outer.adjusted(i, i, -1 - i, -1 - i);
            p.setPen(raised ? light : dark);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(raised ? dark : light);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        }
    }
    // Frame inside the client area.
    if (m_style & CS_ETCHEDFRAME) {
        const QRect r = client.adjusted(0, 0, -1, -1);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(r.adjusted(1, 1, 0, 0));
    } else if (m_style & CS_BLACKFRAME) {
        p.setPen(Qt::black);
        p.drawRect(client.adjusted(0, 0, -1, -1));
    } else if (m_style & CS_WHITEFRAME) {
        p.setPen(Qt::white);
        p.drawRect(client.adjusted(0, 0, -1, -1));
    }

    if (m_pSource) {
        p.setClipRect(client);
        m_pSource->CopyTo(p, client.left() + 1, client.top() + 1);
    }
}

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent) {
    m_pUp = new QToolButton(this);
    m_pDown = new QToolButton(this);
    m_pUp->setArrowType(Qt::UpArrow);
    m_pDown->setArrowType(Qt::DownArrow);
    m_pUp->setAutoRepeat(true);
    m_pDown->setAutoRepeat(true);
    m_pUp->setFocusPolicy(Qt::NoFocus);
    m_pDown->setFocusPolicy(Qt::NoFocus);
    m_pUp->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_pDown->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pUp);
    layout->addWidget(m_pDown);
    connect(m_pUp, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void UpDownControl::SetBuddy(QLineEdit* buddy) {
    if (m_pBuddy)
        m_pBuddy->removeEventFilter(this);
    m_pBuddy = buddy;
    if (m_pBuddy) {
        m_pBuddy->installEventFilter(this);
        m_pBuddy->setText(QString::number(m_nPos));
    }
}

void UpDownControl::SetRange(int lower, int upper) {
    m_nLower = lower;
    m_nUpper = upper;
    SetPos(std::clamp(m_nPos, std::min(lower, upper), std::max(lower, upper)));
}

void UpDownControl::SetPos(int pos) {
    m_nPos = std::clamp(pos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
    if (m_pBuddy)
        m_pBuddy->setText(QString::number(m_nPos));
}

int UpDownControl::GetPos(bool* error) const {
    bool ok = true;
    if (m_pBuddy) {
        const int value = m_pBuddy->text().trimmed().toInt(&ok);
        ok = ok && value >= std::min(m_nLower, m_nUpper) && value <= std::max(m_nLower, m_nUpper);
        if (ok)
            m_nPos = value;
    }
    if (error)
        *error = !ok;
    return m_nPos;
}

void UpDownControl::StepBy(int delta) {
    GetPos();
    SetPos(m_nPos + delta);
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pBuddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up) {
            StepBy(1);
            return true;
        }
        if (key == Qt::Key_Down) {
            StepBy(-1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
