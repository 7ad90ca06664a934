#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QUrl>
#include <algorithm>
#include <new>
#include <optional>

#include "construct/busy_cursor.h"
#include "construct/combo_width.h"
#include "construct/custom_blocks_dialog.h"
#include "drawbox/drawbox.h"
#include "image/native_name.h"
#include "model/picture_loader.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/scroll_codes.h"
#include "play/playgame.h"
#include "session/ngm_doc.h"

namespace {

// The controls a present picture enables, in the order they are enabled.
constexpr int kPictureControls[] = {IDC_ANALYZE,       IDC_TEST_MODE,     IDC_PLAY_MODE,
                                    IDC_UPPER_CAPTION, IDC_LOWER_CAPTION, IDC_LOWER_EDIT,
                                    IDC_UPPER_EDIT,    IDC_LOWER_SCROLL,  IDC_UPPER_SCROLL,
                                    IDC_BLOCKS,        IDC_FIT_PICTURE,   IDC_COLOURS};

// The block counts of list 1027 after the first three; the custom entry comes last.
constexpr const char* kMoreBlockCounts[] = {"15", "25", "30", "40", "50"};

}  // namespace

CNGMView::CNGMView(CNGMDoc* doc, QWidget* parent)
    : QWidget(parent), CNGMViewNames(doc->Session()), m_pDoc(doc), m_session(doc->Session()) {
    const DialogTemplate& form = FormViewTemplate();
    m_controls = BuildControls(this, form);
    setFixedSize(TemplateClientSize(form));

    m_comboBlocks = m_controls.Get<QComboBox>(IDC_BLOCKS);
    m_stcInput = m_controls.Item(IDC_INPUT_PANEL);
    m_stcBinary = m_controls.Item(IDC_BINARY_PANEL);
    m_stcPreview = m_controls.Item(IDC_PREVIEW_PANEL);
    m_stcResult = m_controls.Item(IDC_RESULT_PANEL);
    m_nBlocksComboWidth = m_comboBlocks->width();
    // The group box around the combo is the smallest one that holds it.
    for (QGroupBox* group : findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
        if (group->geometry().contains(m_comboBlocks->geometry()) &&
            (!m_pBlocksGroup || m_pBlocksGroup->geometry().contains(group->geometry()))) {
            m_pBlocksGroup = group;
        }
    }
    if (m_pBlocksGroup)
        m_nBlocksGroupWidth = m_pBlocksGroup->width();

    auto button = [this](int id) { return m_controls.Get<QAbstractButton>(id); };
    connect(button(IDC_INPUT), &QAbstractButton::clicked, this, [this] { OnInput(); });
    connect(button(IDC_ANALYZE), &QAbstractButton::clicked, this, [this] { OnAnalyze(); });
    connect(button(IDC_PLAY), &QAbstractButton::clicked, this, [this] { OnPlay(); });
    connect(button(IDC_DRAWBOX), &QAbstractButton::clicked, this, [this] { OnDrawBox(); });
    connect(button(IDC_TEST_MODE), &QAbstractButton::clicked, this, [this] { OnModeChange(); });
    connect(button(IDC_PLAY_MODE), &QAbstractButton::clicked, this, [this] { OnModeChange(); });
    connect(m_comboBlocks, &QComboBox::activated, this,
            [this](int index) { OnBlocksChosen(index); });
    connect(m_comboBlocks, &QComboBox::editTextChanged, this,
            [this](const QString& text) { FitBlocksCombo(text); });
    connect(button(IDC_FIT_PICTURE), &QAbstractButton::clicked, this, [this] { OnModeChange(); });
    m_comboColours = m_controls.Get<QComboBox>(IDC_COLOURS);
    m_comboColours->setEditable(false);
    connect(m_comboColours, &QComboBox::activated, this, [this] { OnModeChange(); });
    for (int id : {IDC_LOWER_SCROLL, IDC_UPPER_SCROLL}) {
        auto* bar = m_controls.Get<ScrollCodeBar>(id);
        connect(bar, &ScrollCodeBar::scrolled, this,
                [this, bar](int code, int pos) { OnHScroll(code, pos, bar); });
    }
    setAcceptDrops(true);

    m_pJudge = new VerdictJudge(this);
    connect(m_pJudge, &VerdictJudge::judged, this,
            [this](const SolveResult& result) { OnJudged(result); });
}

CNGMView::~CNGMView() {
    // Take the panel images apart; the buffers go with their owners.
    if (!m_bFirstPaint) {
        m_dcInput.SelectObject(m_pOldBmpInput);
        m_bmpInput.DeleteObject();
        m_dcBinary.SelectObject(m_pOldBmpBinary);
        m_bmpBinary.DeleteObject();
        m_dcPreview.SelectObject(m_pOldBmpPreview);
        m_bmpPreview.DeleteObject();
        m_dcResult.SelectObject(m_pOldBmpResult);
        m_bmpResult.DeleteObject();
    }
}

void CNGMView::OnInitialUpdate() {
    setAcceptDrops(true);

    m_nLowerThreshold = 0;
    m_nUpperThreshold = 250;
    SetDlgItemText(m_controls, IDC_LOWER_EDIT, QStringLiteral("0"));
    SetDlgItemText(m_controls, IDC_UPPER_EDIT, QStringLiteral("250"));

    for (int id : {IDC_LOWER_SCROLL, IDC_UPPER_SCROLL}) {
        m_controls.Get<ScrollCodeBar>(id)->setRange(0, 255);
    }
    m_controls.Get<ScrollCodeBar>(IDC_LOWER_SCROLL)->SetScrollPos(m_nLowerThreshold);
    m_controls.Get<ScrollCodeBar>(IDC_UPPER_SCROLL)->SetScrollPos(m_nUpperThreshold);

    CheckDlgButton(m_controls, IDC_TEST_MODE, true);

    m_comboBlocks->clear();
    for (const char* item : {"5", "10", "20"}) {
        m_comboBlocks->insertItem(m_comboBlocks->count(), QString::fromLatin1(item));
    }
    for (const char* item : kMoreBlockCounts)
        m_comboBlocks->insertItem(m_comboBlocks->count(), QString::fromLatin1(item));
    m_comboBlocks->insertItem(m_comboBlocks->count(), tr("カスタム..."));
    // The list is wider than the closed box.
    m_comboBlocks->view()->setMinimumWidth(m_comboBlocks->view()->sizeHintForColumn(0) + 24);
    m_comboBlocks->setCurrentIndex(-1);
    m_nBlocksIndex = -1;
    m_comboBlocks->setEditText(QStringLiteral("20"));

    // Item 0 is black and white by the band; item k is a puzzle of k + 1 colours.
    m_comboColours->clear();
    m_comboColours->addItem(tr("白黒"));
    for (int k = 2; k <= kMaxColours; ++k)
        m_comboColours->addItem(QString::number(k));
    m_comboColours->view()->setMinimumWidth(m_comboColours->view()->sizeHintForColumn(0) + 24);
    m_comboColours->setCurrentIndex(0);
    m_comboColours->setToolTip(tr("白黒は帯で塗るマスを決めます。2 から 8 は色つきのパズルです"));
}

int CNGMView::SelectedColours() const {
    const int index = m_comboColours->currentIndex();
    return index > 0 ? index + 1 : 0;
}

void CNGMView::SetColours(int colours) {
    m_comboColours->setCurrentIndex(colours >= 2 ? std::min(colours, kMaxColours) - 1 : 0);
    OnAnalyze();
}

void CNGMView::UpdateData() {
    // The information text keeps CR LF line ends; the edit shows each as one line break.
    QString shown = m_strImageInfo;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    SetDlgItemText(m_controls, IDC_INFO, shown);
}

void CNGMView::ScrollInfoToEnd() {
    if (auto* edit = m_controls.Get<QPlainTextEdit>(IDC_INFO)) {
        QScrollBar* bar = edit->verticalScrollBar();
        bar->setValue(bar->maximum());
    }
}

void CNGMView::SetMainWindowTitle(const QString& title) {
    window()->setWindowTitle(title);
}

void CNGMView::EnableControls(std::initializer_list<int> ids, bool enable) {
    for (int id : ids) {
        if (QWidget* w = m_controls.Item(id))
            w->setEnabled(enable);
    }
}

void CNGMView::EnablePictureControls(bool enable) {
    for (int id : kPictureControls)
        m_controls.Item(id)->setEnabled(enable);
}

void CNGMView::ApplyPicturePresentState() {
    if (!m_pDoc->HasPicture())
        return;
    EnablePictureControls(true);
    // The puzzle goes with the picture it was made from; the next analysis makes a new one.
    m_session.PictureChanged();
    RefreshZoom();
    ClearVerdict();
    EnableControls({IDC_PLAY}, false);
}

bool CNGMView::HasPicture() const {
    return m_pDoc->HasPicture();
}

BlockChoice CNGMView::SelectedBlocks() const {
    BlockChoice choice = BlockChoice::Square(20);
    choice.fit = IsDlgButtonChecked(m_controls, IDC_FIT_PICTURE);
    const int index = m_comboBlocks->currentIndex();
    if (index < 0)
        return choice;
    // The custom entry is the last item, the only one that is not a number.
    bool number = false;
    const int n = m_comboBlocks->itemText(index).toInt(&number);
    if (number) {
        choice.columns = choice.rows = n;
    } else {
        choice.custom = true;
        choice.columns = m_nCustomColumns;
        choice.rows = m_nCustomRows;
    }
    return choice;
}

void CNGMView::SetCustomBlocks(int columns, int rows) {
    m_nCustomColumns = std::clamp(columns, 1, kMaxPuzzleSide);
    m_nCustomRows = std::clamp(rows, 1, kMaxPuzzleSide);
    const int custom = m_comboBlocks->count() - 1;
    m_comboBlocks->setCurrentIndex(custom);
    m_nBlocksIndex = custom;
    m_comboBlocks->setEditText(QStringLiteral("%1×%2").arg(m_nCustomColumns).arg(m_nCustomRows));
}

void CNGMView::FitBlocksCombo(const QString& text) {
    const int width = std::max(m_nBlocksComboWidth, ComboWidthForText(*m_comboBlocks, text));
    const int grown = width - m_nBlocksComboWidth;
    m_comboBlocks->resize(width, m_comboBlocks->height());
    if (m_pBlocksGroup)
        m_pBlocksGroup->resize(m_nBlocksGroupWidth + grown, m_pBlocksGroup->height());
}

void CNGMView::OnBlocksChosen(int index) {
    const int custom = m_comboBlocks->count() - 1;
    if (index == custom) {
        CCustomBlocksDialog dlg(m_nCustomColumns, m_nCustomRows, this);
        if (RunModal(dlg) != QDialog::Accepted) {
            // Back to what was chosen before, as if the list had not been opened.
            const int before = m_nBlocksIndex;
            if (before == custom) {
                SetCustomBlocks(m_nCustomColumns, m_nCustomRows);
            } else {
                m_comboBlocks->setCurrentIndex(before);
                if (before < 0)
                    m_comboBlocks->setEditText(QStringLiteral("20"));
            }
            return;
        }
        SetCustomBlocks(dlg.Columns(), dlg.Rows());
    }
    m_nBlocksIndex = index;
    OnModeChange();
}

void CNGMView::ClearAnalysisPanels() {
    m_dcBinary.FillSolidRect(0, 0, m_nBinaryW, m_nBinaryH, kFaceColor);
    m_dcPreview.FillSolidRect(0, 0, m_nPreviewW, m_nPreviewH, kFaceColor);
    m_dcResult.FillSolidRect(0, 0, m_nResultW, m_nResultH, kFaceColor);
}

void CNGMView::OnAnalyze() {
    // No analysis without a picture in the planes, whatever sent the command (an accelerator,
    // or the controls enabled after a cancelled DrawBox).
    if (!HasPicture())
        return;
    // A canvas larger than the panels takes a moment.
    std::optional<BusyCursor> busy;
    const int width = m_pDoc->Width();
    const int height = m_pDoc->Height();
    if (width > kPanelLimit || height > kPanelLimit)
        busy.emplace();
    // The binary image follows the picture's canvas; without the memory for it nothing else
    // changes.
    if (m_ppBinaryImage.Columns() != width || m_ppBinaryImage.Length() != height) {
        m_ppBinaryImage.Free();
        if (!AllocBuffer(width, height, 2))
            return;
    }
    EnsurePanelImages();
    if (!ConfirmDiscardEdits())
        return;

    if (IsDlgButtonChecked(m_controls, IDC_TEST_MODE)) {
        m_session.SetTestMode(true);
    } else if (IsDlgButtonChecked(m_controls, IDC_PLAY_MODE)) {
        m_session.SetTestMode(false);
    }
    ClearAnalysisPanels();
    // The crop is set in the workbench; the form's controls keep it as it is.
    AnalysisSettings settings{m_nLowerThreshold, m_nUpperThreshold, SelectedBlocks(),
                              m_session.Settings().crop};
    // The palette's locks are set in the workbench, as the crop is.
    settings.colours = SelectedColours();
    settings.locked = m_session.Settings().locked;
    MakeBlockGrid(Binarize(settings));
    DrawResult();
    EnableControls({IDC_PLAY}, m_pDoc->HasPuzzle());
    JudgePuzzle();
}

void CNGMView::OnModeChange() {
    OnAnalyze();
}

void CNGMView::OnHScroll(int nSBCode, int nPos, QScrollBar* pScrollBar) {
    auto* bar = qobject_cast<ScrollCodeBar*>(pScrollBar);
    // Only the two threshold bars are handled here.
    if (!bar ||
        (bar != m_controls.Item(IDC_LOWER_SCROLL) && bar != m_controls.Item(IDC_UPPER_SCROLL))) {
        return;
    }
    const int p = ApplyScrollCode(nSBCode, bar->GetScrollPos(), nPos, 0, 255);
    bar->SetScrollPos(p);

    auto* lower = m_controls.Get<ScrollCodeBar>(IDC_LOWER_SCROLL);
    auto* upper = m_controls.Get<ScrollCodeBar>(IDC_UPPER_SCROLL);
    m_nLowerThreshold = lower->GetScrollPos();
    m_nUpperThreshold = upper->GetScrollPos();
    SetDlgItemText(m_controls, IDC_LOWER_EDIT, QString::number(m_nLowerThreshold));
    SetDlgItemText(m_controls, IDC_UPPER_EDIT, QString::number(m_nUpperThreshold));

    if (m_nUpperThreshold > m_nLowerThreshold) {
        OnAnalyze();  // which clears the panels it draws
        return;
    }
    AppMessageBox(tr("無理な閾値設定です。"), MB_OK);
    m_nUpperThreshold = 255;
    m_nLowerThreshold = 0;
    lower->SetScrollPos(0);
    upper->SetScrollPos(255);
    // The edits follow the reset, so they never show a band that is not in force.
    SetDlgItemText(m_controls, IDC_LOWER_EDIT, QStringLiteral("0"));
    SetDlgItemText(m_controls, IDC_UPPER_EDIT, QStringLiteral("255"));
}

void CNGMView::OnPlay() {
    if (!m_pDoc->HasPuzzle())
        return;
    CPlaygame dlg(m_pDoc);
    RunModal(dlg);
}

void CNGMView::OnDrawBox() {
    CDrawbox dlg(m_pDoc);
    if (RunModal(dlg) != QDialog::Accepted)
        return;

    SetMainWindowTitle(QStringLiteral("NGM - [") + m_session.DrawingStored() + QStringLiteral("]"));
    UpdateData();
    // A stored drawing is a picture like a loaded one: the block count and the band can be
    // chosen for it too.
    EnablePictureControls(true);
    RefreshZoom();
    ClearVerdict();
    EnableControls({IDC_PLAY}, false);
    DrawInputImage();
}

BOOL CNGMView::AllocBuffer(int nColumns, int nLength, int nKind) {
    if (nColumns == 0 || nLength == 0) {
        ShowRefusal(PictureRefusal::kEmpty);
        return FALSE;
    }
    try {
        switch (nKind) {
            case 1:
                // A picture that fills its canvas.
                m_pDoc->m_ppInputPlanes.Allocate(nColumns, nLength);
                m_pDoc->m_picture.width = nColumns / 3;
                m_pDoc->m_picture.height = nLength;
                break;
            case 2:
                m_ppBinaryImage.Allocate(nColumns, nLength);
                break;
            case 3:
                // Room for the puzzle: a blank one of that size until the block grid is written.
                m_pDoc->SetPuzzle(Puzzle::FromGrid(
                    nColumns, nLength, std::vector<std::uint8_t>(std::size_t(nColumns) * nLength)));
                break;
            default:
                break;
        }
    } catch (const std::bad_alloc&) {
        ShowRefusal(PictureRefusal::kOutOfMemory);
        return FALSE;
    }
    return TRUE;
}

void CNGMView::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime && mime->hasUrls()) {
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
    // Picture data without a local file: an image dragged out of a browser.
    if (mime && HasPictureData(*mime)) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void CNGMView::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    QStringList paths;
    if (mime && mime->hasUrls()) {
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile())
                paths << LocalFileOf(url);
        }
    }
    if (paths.isEmpty()) {
        if (mime && HasPictureData(*mime)) {
            event->acceptProposedAction();
            OnDropPictureData(*mime);
            return;
        }
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    OnDropFiles(paths);
}
