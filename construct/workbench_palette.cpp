#include "construct/workbench_palette.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/puzzle.h"
#include "platform/modal.h"
#include "render/palette_colours.h"

namespace {

constexpr int kSwatchSide = 22;

QColor ColourOf(std::uint32_t rgb) {
    return QColor::fromRgb(QRgbOf(rgb));
}

std::uint32_t RgbOf(const QColor& colour) {
    return colour.rgb() & 0xffffffu;
}

QIcon SwatchIcon(std::uint32_t rgb) {
    QPixmap pixmap(kSwatchSide, kSwatchSide);
    pixmap.fill(ColourOf(rgb));
    return QIcon(pixmap);
}

}  // namespace

WorkbenchPalette::WorkbenchPalette(QWidget* parent)
    : QWidget(parent),
      m_pSwatchRow(new QHBoxLayout),
      m_pGroup(new QButtonGroup(this)),
      m_pChange(new QPushButton(tr("色を変更..."))),
      m_pPick(new QPushButton(tr("スポイト"))) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("パレット")));
    layout->addLayout(m_pSwatchRow);
    layout->addWidget(m_pChange);
    layout->addWidget(m_pPick);
    layout->addStretch(1);
    setToolTip(
        tr("選んだ色を左ボタンで塗り、右ボタンで背景にします。"
           "「固定」した色は解析し直しても残ります"));
    m_pPick->setCheckable(true);
    m_pPick->setToolTip(
        tr("画像をクリックして、選んだ色をその画素の色にします(Ctrl+クリックでも)"));
    m_pGroup->setExclusive(true);
    connect(m_pGroup, &QButtonGroup::idClicked, this, [this](int index) { Choose(index); });
    connect(m_pChange, &QPushButton::clicked, this, [this] { OnChange(); });
    connect(m_pPick, &QPushButton::toggled, this, &WorkbenchPalette::pickingToggled);
    setVisible(false);
}

void WorkbenchPalette::Rebuild(int count) {
    for (QToolButton* swatch : m_swatches)
        delete swatch->parentWidget();
    m_swatches.clear();
    m_locks.clear();
    for (int index = 0; index < count; ++index) {
        auto* cell = new QWidget;
        auto* column = new QVBoxLayout(cell);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(1);
        auto* swatch = new QToolButton;
        swatch->setCheckable(true);
        swatch->setIconSize(QSize(kSwatchSide, kSwatchSide));
        swatch->setToolTip(index == 0 ? tr("背景") : tr("色 %1").arg(index));
        m_pGroup->addButton(swatch, index);
        swatch->installEventFilter(this);
        column->addWidget(swatch, 0, Qt::AlignHCenter);
        if (index > 0) {
            auto* lock = new QCheckBox(tr("固定"));
            connect(lock, &QCheckBox::toggled, this,
                    [this, index](bool on) { emit lockToggled(index, on); });
            m_locks.push_back(lock);
            column->addWidget(lock);
        } else {
            column->addStretch(1);
        }
        m_swatches.push_back(swatch);
        m_pSwatchRow->addWidget(cell);
    }
}

void WorkbenchPalette::Show(const Puzzle& puzzle, const std::vector<std::uint32_t>& locked) {
    setVisible(puzzle.IsColour());
    if (!puzzle.IsColour()) {
        StopPicking();
        return;
    }
    m_palette = puzzle.palette;
    const int count = static_cast<int>(m_palette.size());
    if (count != static_cast<int>(m_swatches.size()))
        Rebuild(count);
    for (int index = 0; index < count; ++index) {
        const std::uint32_t rgb = m_palette[static_cast<std::size_t>(index)];
        m_swatches[index]->setIcon(SwatchIcon(rgb));
        if (index > 0) {
            const QSignalBlocker block(m_locks[index - 1]);
            m_locks[index - 1]->setChecked(std::find(locked.begin(), locked.end(), rgb) !=
                                           locked.end());
        }
    }
    Choose(std::min(m_chosen, count - 1));
}

void WorkbenchPalette::Choose(int index) {
    if (index < 0 || index >= static_cast<int>(m_swatches.size()))
        return;
    m_chosen = index;
    m_swatches[index]->setChecked(true);
}

bool WorkbenchPalette::Picking() const {
    return m_pPick->isChecked();
}

void WorkbenchPalette::StopPicking() {
    m_pPick->setChecked(false);
}

void WorkbenchPalette::OnChange() {
    if (m_chosen < 0 || m_chosen >= static_cast<int>(m_palette.size()))
        return;
    QColorDialog dialog(ColourOf(m_palette[static_cast<std::size_t>(m_chosen)]), this);
    dialog.setWindowTitle(m_chosen == 0 ? tr("背景の色") : tr("色 %1").arg(m_chosen));
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    emit colourChanged(m_chosen, RgbOf(dialog.currentColor()));
}

bool WorkbenchPalette::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto at = std::find(m_swatches.begin(), m_swatches.end(), watched);
        if (at != m_swatches.end()) {
            Choose(static_cast<int>(at - m_swatches.begin()));
            OnChange();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
