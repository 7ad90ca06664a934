#include "construct/workbench.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "analysis/auto_band.h"
#include "analysis/crop.h"
#include "analysis/palette.h"
#include "construct/ngm_view.h"
#include "construct/workbench_palette.h"
#include "construct/workbench_panes.h"
#include "session/puzzle_session.h"

namespace {

// The highest bound of the band: the brightness 255 and one past it, so that white can be in
// the band too.
constexpr int kHighestBound = 256;
constexpr int kBandPauseMs = 200;

struct ToolButtonText {
    GridTool tool;
    const char* text;
};

}  // namespace

CWorkbench::CWorkbench(CNGMView* view)
    : QWidget(view, Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_pView(view),
      m_session(view->Session()),
      m_pPicture(new WorkbenchImagePane),
      m_pBinary(new WorkbenchImagePane),
      m_pEditor(new WorkbenchGridPane(m_session)),
      m_pPuzzle(new WorkbenchPuzzlePane(m_session)) {
    setWindowTitle(tr("作業台"));
    m_pPicture->SetCropEnabled(true);
    connect(m_pPicture, &WorkbenchImagePane::cropChanged, this,
            [this](std::optional<QRect> crop) { OnCropDragged(crop); });
    m_frames[kPicture] = Framed(tr("画像"), m_pPicture);
    m_frames[kBinary] = Framed(tr("白黒"), m_pBinary);
    m_frames[kEditor] = Framed(tr("答え (左ドラッグで塗る・右ドラッグで消す)"), m_pEditor);
    m_frames[kPuzzle] = Framed(tr("パズル"), m_pPuzzle);
    for (int pane = kPicture; pane <= kPuzzle; ++pane) {
        auto* w = static_cast<WorkbenchPane*>(m_frames[pane]->layout()->itemAt(0)->widget());
        connect(w, &WorkbenchPane::enlargeToggled, this,
                [this, pane] { Enlarge(m_enlarged == pane ? kNoPane : pane); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeBandRow());
    layout->addLayout(new QGridLayout, 1);
    layout->addWidget(MakeToolRow());
    m_pPalette = new WorkbenchPalette;
    layout->addWidget(m_pPalette);
    connect(m_pPalette, &WorkbenchPalette::colourChanged, this,
            [this](int index, std::uint32_t rgb) { OnPaletteColour(index, rgb); });
    connect(m_pPalette, &WorkbenchPalette::lockToggled, this,
            [this](int colour, bool on) { OnLock(colour, on); });
    connect(m_pPalette, &WorkbenchPalette::pickingToggled, m_pPicture,
            &WorkbenchImagePane::SetPicking);
    connect(m_pPicture, &WorkbenchImagePane::pointPicked, this,
            [this](QPoint source) { OnPicked(source); });
    m_pVerdict = new QLabel;
    m_pVerdict->setWordWrap(true);
    layout->addWidget(m_pVerdict);
    Enlarge(kNoPane);

    connect(m_pEditor, &WorkbenchGridPane::strokeStarted, this,
            [this] { m_session.BeginStroke(); });
    connect(m_pEditor, &WorkbenchGridPane::cellStroked, this,
            [this](CellPos cell, bool filled) { OnStroke(cell, filled); });
    connect(m_pEditor, &WorkbenchGridPane::strokeEnded, this, [this] {
        m_session.EndStroke();
        UpdateCommands();
    });
    connect(m_pView, &CNGMView::panelsChanged, this, [this] { Refresh(); });
    connect(m_pView, &CNGMView::verdictChanged, this,
            [this](const QString& text, const QString& tip) {
                m_pVerdict->setText(text);
                m_pVerdict->setToolTip(tip);
                m_pEditor->update();
            });
    m_bandPause.setSingleShot(true);
    m_bandPause.setInterval(kBandPauseMs);
    connect(&m_bandPause, &QTimer::timeout, this, [this] { OnBandEdited(); });
    resize(900, 700);
}

QGroupBox* CWorkbench::Framed(const QString& title, QWidget* pane) {
    auto* frame = new QGroupBox(title);
    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(2, 2, 2, 2);
    inside->addWidget(pane);
    return frame;
}

QWidget* CWorkbench::MakeBandRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto bound = [&](const QString& caption, QSpinBox*& spin, QSlider*& slider) {
        layout->addWidget(new QLabel(caption));
        spin = new QSpinBox;
        spin->setRange(0, kHighestBound);
        slider = new QSlider(Qt::Horizontal);
        slider->setRange(0, kHighestBound);
        slider->setMinimumWidth(40);
        layout->addWidget(spin);
        layout->addWidget(slider, 1);
        connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
        connect(spin, &QSpinBox::valueChanged, this, [this, slider](int value) {
            slider->setValue(value);
            m_bandPause.start();
        });
    };
    bound(tr("下限"), m_pLower, m_pLowerSlider);
    bound(tr("上限"), m_pUpper, m_pUpperSlider);
    m_pAuto = new QPushButton(tr("自動"));
    m_pInvert = new QCheckBox(tr("反転"));
    m_pTrim = new QPushButton(tr("余白を削る"));
    m_pAuto->setToolTip(tr("画像の明るさの分布から帯を決めます"));
    m_pInvert->setToolTip(tr("自動で明るい側を帯にします"));
    m_pTrim->setToolTip(tr("帯に入る画素を囲む長方形まで切り抜きます"));
    layout->addWidget(m_pAuto);
    layout->addWidget(m_pInvert);
    layout->addWidget(m_pTrim);
    layout->addWidget(new QLabel(tr("色数")));
    m_pColours = new QComboBox;
    m_pColours->addItem(tr("白黒"));
    for (int k = 2; k <= kMaxColours; ++k)
        m_pColours->addItem(QString::number(k));
    m_pColours->setToolTip(tr("白黒は帯で塗るマスを決めます。2 から 8 は色つきのパズルです"));
    layout->addWidget(m_pColours);
    connect(m_pColours, &QComboBox::activated, this,
            [this](int index) { m_pView->SetColours(index > 0 ? index + 1 : 0); });
    connect(m_pAuto, &QPushButton::clicked, this, [this] { OnAutoBand(); });
    connect(m_pInvert, &QCheckBox::toggled, this, [this] { OnAutoBand(); });
    connect(m_pTrim, &QPushButton::clicked, this, [this] { OnTrim(); });
    return row;
}

QWidget* CWorkbench::MakeToolRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pUndo = new QToolButton;
    m_pUndo->setText(tr("元に戻す"));
    m_pRedo = new QToolButton;
    m_pRedo->setText(tr("やり直す"));
    m_pUndo->setToolTip(QStringLiteral("Ctrl+Z"));
    m_pRedo->setToolTip(QStringLiteral("Ctrl+Y"));
    connect(m_pUndo, &QToolButton::clicked, this, [this] { OnUndo(); });
    connect(m_pRedo, &QToolButton::clicked, this, [this] { OnRedo(); });
    layout->addWidget(m_pUndo);
    layout->addWidget(m_pRedo);
    auto* undo = new QAction(this);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, this, [this] { OnUndo(); });
    auto* redo = new QAction(this);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, this, [this] { OnRedo(); });
    addActions({undo, redo});
    layout->addSpacing(12);
    const ToolButtonText tools[] = {
        {GridTool::kInvert, QT_TR_NOOP("白黒反転")}, {GridTool::kMirror, QT_TR_NOOP("左右反転")},
        {GridTool::kFlip, QT_TR_NOOP("上下反転")},   {GridTool::kShiftLeft, QT_TR_NOOP("←")},
        {GridTool::kShiftRight, QT_TR_NOOP("→")},    {GridTool::kShiftUp, QT_TR_NOOP("↑")},
        {GridTool::kShiftDown, QT_TR_NOOP("↓")},     {GridTool::kClear, QT_TR_NOOP("全消去")},
    };
    for (const ToolButtonText& t : tools) {
        auto* button = new QToolButton;
        button->setText(tr(t.text));
        const GridTool tool = t.tool;
        connect(button, &QToolButton::clicked, this, [this, tool] { OnTool(tool); });
        m_tools[static_cast<int>(tool)] = button;
        layout->addWidget(button);
    }
    m_tools[static_cast<int>(GridTool::kShiftLeft)]->setToolTip(tr("1マス左へ"));
    m_tools[static_cast<int>(GridTool::kShiftRight)]->setToolTip(tr("1マス右へ"));
    m_tools[static_cast<int>(GridTool::kShiftUp)]->setToolTip(tr("1マス上へ"));
    m_tools[static_cast<int>(GridTool::kShiftDown)]->setToolTip(tr("1マス下へ"));
    layout->addSpacing(12);
    m_pAccept = new QPushButton(tr("提案を採用"));
    m_pAccept->setToolTip(tr("「一意なパズルを探す」で選んだマスの変更を答えにします"));
    m_pAccept->setVisible(false);
    connect(m_pAccept, &QPushButton::clicked, this, [this] {
        const std::vector<std::uint8_t> cells = m_suggestion;
        const std::vector<std::uint8_t>& answer = m_session.GetPuzzle().answer;
        if (cells.size() != answer.size())
            return;
        int changed = 0;
        for (std::size_t i = 0; i < cells.size(); ++i)
            changed += cells[i] != answer[i];
        m_pView->ApplyCellChanges(cells, changed);
    });
    layout->addWidget(m_pAccept);
    layout->addStretch(1);
    return row;
}

QToolButton* CWorkbench::ToolButton(GridTool tool) const {
    return m_tools[static_cast<int>(tool)];
}

void CWorkbench::Enlarge(int pane) {
    m_enlarged = pane;
    auto* grid =
        static_cast<QGridLayout*>(static_cast<QVBoxLayout*>(layout())->itemAt(1)->layout());
    for (QGroupBox* frame : m_frames)
        grid->removeWidget(frame);
    for (int i = kPicture; i <= kPuzzle; ++i) {
        const bool shown = pane == kNoPane || pane == i;
        m_frames[i]->setVisible(shown);
        if (shown)
            grid->addWidget(m_frames[i], pane == kNoPane ? i / 2 : 0, pane == kNoPane ? i % 2 : 0);
    }
}

void CWorkbench::Refresh() {
    const Picture& picture = m_session.GetPicture();
    const PictureRect rect = PictureRectOf(picture);
    const QSize source(rect.width, rect.height);
    const bool newPicture = m_session.PictureSerial() != m_pictureSerial;
    if (newPicture) {
        m_pictureSerial = m_session.PictureSerial();
        m_pPicture->SetImage(PictureImage(picture), source);
    }
    if (newPicture || m_session.AnalysisSerial() != m_analysisSerial) {
        m_analysisSerial = m_session.AnalysisSerial();
        // The black and white is that of the picture analysed: the crop, when there is one.
        const PictureRect analysed = PictureRectOf(m_session.AnalysedPicture());
        const bool binary = m_session.HasPicture() && m_session.BinaryBuffer().IsAllocated();
        m_pBinary->SetImage(binary ? BinaryPictureImage(m_session.BinaryBuffer(),
                                                        m_session.LastAnalysis().binary, analysed)
                                   : QImage(),
                            QSize(analysed.width, analysed.height));
    }
    const std::optional<PixelRect>& crop = m_session.AnalysedSettings().crop;
    if (!m_pPicture->Dragging()) {
        m_pPicture->SetCrop(
            crop ? std::optional<QRect>(QRect(crop->x, crop->y, crop->width, crop->height))
                 : std::nullopt);
    }
    // The band in force, unless the user is typing one.
    if (!m_bandPause.isActive())
        ShowBand(m_session.AnalysedSettings().lower, m_session.AnalysedSettings().upper);
    const int colours = m_session.AnalysedSettings().colours;
    m_pColours->setCurrentIndex(colours >= 2 ? colours - 1 : 0);
    ShowSuggestion({});
    m_pPuzzle->Redraw();
    m_pPalette->Show(m_session.GetPuzzle(), m_session.Settings().locked);
    const ::VerdictLabel verdict = m_session.VerdictText();
    m_pVerdict->setText(verdict.text);
    m_pVerdict->setToolTip(verdict.toolTip);
    const QString name = m_session.PictureName();
    setWindowTitle(name.isEmpty() ? tr("作業台") : tr("作業台 - %1").arg(name));
    UpdateCommands();
}

void CWorkbench::ShowBand(int lower, int upper) {
    for (auto [spin, value] : {std::pair{m_pLower, lower}, std::pair{m_pUpper, upper}}) {
        const QSignalBlocker block(spin);
        spin->setValue(value);
    }
    const QSignalBlocker blockLower(m_pLowerSlider), blockUpper(m_pUpperSlider);
    m_pLowerSlider->setValue(lower);
    m_pUpperSlider->setValue(upper);
}

void CWorkbench::UpdateCommands() {
    const bool answer = m_session.GetPuzzle().HasAnswer();
    for (QToolButton* tool : m_tools)
        tool->setEnabled(answer);
    m_pUndo->setEnabled(m_session.CanUndo());
    m_pRedo->setEnabled(m_session.CanRedo());
    const bool picture = m_session.HasPicture();
    for (QWidget* w : {static_cast<QWidget*>(m_pLower), static_cast<QWidget*>(m_pUpper),
                       static_cast<QWidget*>(m_pLowerSlider), static_cast<QWidget*>(m_pUpperSlider),
                       static_cast<QWidget*>(m_pColours)})
        w->setEnabled(picture);
}

void CWorkbench::OnStroke(CellPos cell, bool filled) {
    // In colour the left button paints the colour chosen in the palette.
    const bool changed = m_session.GetPuzzle().IsColour()
                             ? m_session.StrokeColour(cell, filled ? m_pPalette->Chosen() : 0)
                             : m_session.StrokeCell(cell, filled);
    if (changed)
        m_pView->ShowEditedAnswer();
}

void CWorkbench::OnPaletteColour(int index, std::uint32_t rgb) {
    const Puzzle& puzzle = m_session.GetPuzzle();
    if (!puzzle.IsColour() || index < 0 || index > puzzle.ColourCount())
        return;
    // A colour the user set is kept through the next analyses: it takes its old value's place
    // among the locked colours, or joins them.
    if (index > 0) {
        std::vector<std::uint32_t>& locked = m_session.Settings().locked;
        const auto old = std::find(locked.begin(), locked.end(), puzzle.palette[index]);
        if (old != locked.end())
            *old = rgb;
        else
            locked.push_back(rgb);
    }
    m_session.SetPaletteColour(index, rgb);
    m_pView->ShowEditedAnswer();
}

void CWorkbench::OnLock(int colour, bool on) {
    const Puzzle& puzzle = m_session.GetPuzzle();
    if (!puzzle.IsColour() || colour < 1 || colour > puzzle.ColourCount())
        return;
    const std::uint32_t rgb = puzzle.palette[colour];
    std::vector<std::uint32_t>& locked = m_session.Settings().locked;
    std::erase(locked, rgb);
    if (on)
        locked.push_back(rgb);
}

void CWorkbench::OnPicked(QPoint source) {
    const Picture& picture = m_session.GetPicture();
    const PictureRect rect = PictureRectOf(picture);
    if (!m_session.GetPuzzle().IsColour() || !picture.planes.IsAllocated() || source.x() < 0 ||
        source.y() < 0 || source.x() >= rect.width || source.y() >= rect.height)
        return;
    const int x = rect.left + source.x(), y = rect.top + source.y();
    const ColumnBuffer& p = picture.planes;
    auto sample = [](std::int32_t v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    m_pPalette->StopPicking();
    OnPaletteColour(m_pPalette->Chosen(), sample(p[3 * x][y]) << 16 | sample(p[3 * x + 1][y]) << 8 |
                                              sample(p[3 * x + 2][y]));
}

void CWorkbench::OnTool(GridTool tool) {
    if (m_session.ApplyTool(tool))
        m_pView->ShowEditedAnswer();
}

void CWorkbench::OnUndo() {
    m_pView->UndoAnswer(false);
}

void CWorkbench::OnRedo() {
    m_pView->UndoAnswer(true);
}

void CWorkbench::FlushBand() {
    if (m_bandPause.isActive()) {
        m_bandPause.stop();
        OnBandEdited();
    }
}

void CWorkbench::OnBandEdited() {
    const int lower = m_pLower->value();
    const int upper = m_pUpper->value();
    if (upper <= lower) {
        m_pVerdict->setText(tr("下限は上限より小さくしてください。"));
        return;
    }
    if (lower == m_session.AnalysedSettings().lower && upper == m_session.AnalysedSettings().upper)
        return;
    m_pView->SetBand(lower, upper);
}

void CWorkbench::OnCropDragged(std::optional<QRect> crop) {
    std::optional<PixelRect> rect;
    if (crop)
        rect = PixelRect{crop->x(), crop->y(), crop->width(), crop->height()};
    if (rect != m_session.AnalysedSettings().crop)
        m_pView->SetCrop(rect);
    Refresh();
}

void CWorkbench::OnAutoBand() {
    if (!m_session.HasPicture())
        return;
    const Band band =
        AutoBand(m_session.GetPicture(), m_pInvert->isChecked(), m_session.AnalysedSettings().crop);
    m_bandPause.stop();
    ShowBand(band.lower, band.upper);
    m_pView->SetBand(band.lower, band.upper);
}

void CWorkbench::OnTrim() {
    if (!m_session.HasPicture())
        return;
    const AnalysisSettings& settings = m_session.AnalysedSettings();
    // A colour puzzle keeps what is not its background; black and white what is in the band.
    const std::optional<PixelRect> rect =
        settings.IsColour()
            ? ColourTrimRect(m_session.GetPicture(), PaletteOf(m_session.GetPicture(), settings),
                             settings.crop)
            : TrimRect(m_session.GetPicture(), settings.lower, settings.upper, settings.crop);
    if (!rect) {
        m_pVerdict->setText(tr("帯に入る画素がないので、切り抜けません。"));
        return;
    }
    m_pView->SetCrop(rect);
}

void CWorkbench::ShowSuggestion(std::vector<std::uint8_t> cells) {
    const std::vector<std::uint8_t>& answer = m_session.GetPuzzle().answer;
    if (cells.size() != answer.size())
        cells.clear();
    std::vector<std::uint8_t> changes(cells.size(), 0);
    // A cell that takes another colour is marked as one to fill.
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] != answer[i])
            changes[i] = cells[i] ? 1 : 2;
    }
    m_suggestion = std::move(cells);
    m_pEditor->SetChanges(m_suggestion.empty() ? std::vector<std::uint8_t>{} : std::move(changes));
    m_pAccept->setVisible(!m_suggestion.empty());
}
