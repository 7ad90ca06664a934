#include "construct/unique_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "construct/suggestion_text.h"
#include "platform/form.h"
#include "res/dialog_template.h"

namespace {

const char* const kTitle = QT_TRANSLATE_NOOP("CUniqueDialog", "一意なパズルを探す");
const char* const kBandHeading = QT_TRANSLATE_NOOP("CUniqueDialog", "閾値とブロック数を変える");
const char* const kCellHeading = QT_TRANSLATE_NOOP("CUniqueDialog", "マスを変える (%1 マスまで)");
const char* const kCurrent =
    QT_TRANSLATE_NOOP("CUniqueDialog", "今のパズル: 閾値 %1〜%2・ブロック数 %3・塗り %4%");
const char* const kCurrentColour =
    QT_TRANSLATE_NOOP("CUniqueDialog", "今のパズル: %1 色・ブロック数 %2・塗り %3%");
const char* const kColourHeading = QT_TRANSLATE_NOOP("CUniqueDialog", "色数とブロック数を変える");
const char* const kColourNone = QT_TRANSLATE_NOOP(
    "CUniqueDialog", "色数とブロック数をどう変えても、解が一つのパズルになりません。");
const char* const kColourTimeout = QT_TRANSLATE_NOOP(
    "CUniqueDialog", "時間内には、すべての色数とブロック数を試しきれませんでした。");
const char* const kSearching = QT_TRANSLATE_NOOP("CUniqueDialog", "探しています...");
const char* const kDone = QT_TRANSLATE_NOOP("CUniqueDialog", "探し終わりました。");
const char* const kCancelled =
    QT_TRANSLATE_NOOP("CUniqueDialog", "中止しました。それまでに見つかったものを示します。");
const char* const kClosed = QT_TRANSLATE_NOOP(
    "CUniqueDialog",
    "パズルが変わったので、結果を閉じました。「探し直す」で今のパズルについて探します。");
const char* const kBandNone =
    QT_TRANSLATE_NOOP("CUniqueDialog",
                      "閾値とブロック数をどう変えても、解が一つのパズルになりません。"
                      "決まらないマスが最も少ないものを示します。");
const char* const kBandNoPicture = QT_TRANSLATE_NOOP(
    "CUniqueDialog", "閾値とブロック数をどう変えても、今のほかに絵になるパズルができません。");
const char* const kOutsideShare = QT_TRANSLATE_NOOP(
    "CUniqueDialog",
    "塗りの割合を今の %1% から %2 ポイント以内に保つものはありません。それより離れるものを"
    "示します。");
const char* const kAlreadyUnique =
    QT_TRANSLATE_NOOP("CUniqueDialog", "今のパズルはもう解が一つです。変えるマスはありません。");
const char* const kCellNone =
    QT_TRANSLATE_NOOP("CUniqueDialog",
                      "%1 マスまで変えても、解が一つのパズルになりません。"
                      "決まらないマスが最も少ないものを示します。");
const char* const kCellTimeout =
    QT_TRANSLATE_NOOP("CUniqueDialog",
                      "時間内には、解が一つになる変え方が見つかりませんでした。"
                      "決まらないマスが最も少ないものを示します。");
const char* const kCellFewest =
    QT_TRANSLATE_NOOP("CUniqueDialog", "これより少ないマスの変更では、解が一つになりません。");
const char* const kCellUnproven = QT_TRANSLATE_NOOP(
    "CUniqueDialog", "これより少ない変更で済むかどうかは、時間内に確かめきれませんでした。");

QLabel* Note(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->hide();
    return label;
}

void SetNote(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

QListWidget* SuggestionList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setIconSize(QSize(kSuggestionPictureSide, kSuggestionPictureSide));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumHeight(kSuggestionPictureSide * 2 + 16);
    return list;
}

}  // namespace

CUniqueDialog::CUniqueDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr(kTitle));
    setFont(TemplateFont(FormViewTemplate()));
    setModal(false);

    m_pCurrent = new QLabel(this);
    m_pStatus = new QLabel(this);
    m_pStatus->setWordWrap(true);
    m_pProgress = new QProgressBar(this);
    m_pProgress->setRange(0, 100);
    m_pBandList = SuggestionList(this);
    m_pBandNote = Note(this);
    m_pCellList = SuggestionList(this);
    m_pCellNote = Note(this);
    m_pApply = new QPushButton(tr("適用(&A)"), this);
    m_pApply->setDefault(true);
    m_pCancel = new QPushButton(tr("中止(&C)"), this);
    m_pAgain = new QPushButton(tr("探し直す(&R)"), this);
    auto* close = new QPushButton(tr("閉じる"), this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pCurrent);
    layout->addWidget(m_pStatus);
    layout->addWidget(m_pProgress);
    m_pBandHeading = new QLabel(tr(kBandHeading), this);
    layout->addWidget(m_pBandHeading);
    layout->addWidget(m_pBandList, 3);
    layout->addWidget(m_pBandNote);
    m_pCellHeading = new QLabel(tr(kCellHeading).arg(CellSearchOptions{}.maxChanges), this);
    layout->addWidget(m_pCellHeading);
    layout->addWidget(m_pCellList, 2);
    layout->addWidget(m_pCellNote);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pApply);
    buttons->addStretch(1);
    buttons->addWidget(m_pCancel);
    buttons->addWidget(m_pAgain);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(440, 640);

    connect(&m_searcher, &UniqueSearcher::found, this, [this](const Suggestion& s) { OnFound(s); });
    connect(&m_searcher, &UniqueSearcher::progress, m_pProgress, &QProgressBar::setValue);
    connect(&m_searcher, &UniqueSearcher::finished, this,
            [this](const UniqueSearchSummary& summary) { OnFinished(summary); });
    connect(m_pApply, &QPushButton::clicked, this, [this] { ApplySelected(); });
    connect(m_pCancel, &QPushButton::clicked, this, [this] {
        m_searcher.Cancel();
        SetRunning(false);
        m_pStatus->setText(tr(kCancelled));
    });
    connect(m_pAgain, &QPushButton::clicked, this, [this] { emit searchAgainRequested(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    for (QListWidget* list : {m_pBandList, m_pCellList}) {
        QListWidget* other = list == m_pBandList ? m_pCellList : m_pBandList;
        // One selection across both lists.
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list, other] {
            if (!list->selectedItems().isEmpty()) {
                const Suggestion* s = SuggestionAt(list, list->currentRow());
                m_chosen = s ? std::optional<Suggestion>(*s) : std::nullopt;
                other->clearSelection();
            } else if (other->selectedItems().isEmpty()) {
                m_chosen.reset();
            }
            UpdateApply();
        });
        connect(list, &QListWidget::itemDoubleClicked, this, [this] { ApplySelected(); });
    }
    SetRunning(false);
}

CUniqueDialog::~CUniqueDialog() = default;

void CUniqueDialog::StartColourSearch(const Picture& picture, const AnalysisSettings& settings,
                                      const Puzzle& puzzle, int n) {
    m_start = SearchStart{};
    m_start.n = n;
    m_start.answer = puzzle.answer;
    m_bCurrent = true;
    m_bColour = true;
    ClearResults();
    m_pCurrent->setText(tr(kCurrentColour)
                            .arg(puzzle.ColourCount())
                            .arg(n)
                            .arg(std::lround(ShareOf(m_start.answer).Percent())));
    m_pBandHeading->setText(tr(kColourHeading));
    m_pCellHeading->setText(tr(kCellHeading).arg(ColourCellSearchOptions{}.maxChanges));
    m_pProgress->setValue(0);
    m_pStatus->setText(tr(kSearching));
    SetRunning(true);
    Picture copy = Picture::Filling(picture.CanvasWidth(), picture.CanvasHeight());
    copy.width = picture.width;
    copy.height = picture.height;
    for (int column = 0; column < picture.planes.Columns(); ++column)
        std::copy_n(picture.planes[column], picture.planes.Length(), copy.planes[column]);
    m_searcher.StartColour(std::move(copy), settings, puzzle, n);
}

void CUniqueDialog::StartSearch(LevelPlane plane, SearchStart start, SearchShape shape) {
    m_start = start;
    m_bCurrent = true;
    m_bColour = false;
    m_pBandHeading->setText(tr(kBandHeading));
    m_pCellHeading->setText(tr(kCellHeading).arg(CellSearchOptions{}.maxChanges));
    ClearResults();
    m_pCurrent->setText(tr(kCurrent)
                            .arg(m_start.lower)
                            .arg(m_start.upper)
                            .arg(m_start.n)
                            .arg(std::lround(ShareOf(m_start.answer).Percent())));
    m_pProgress->setValue(0);
    m_pStatus->setText(tr(kSearching));
    SetRunning(true);
    m_searcher.Start(std::move(plane), std::move(start), std::move(shape));
}

void CUniqueDialog::ClearResults() {
    m_chosen.reset();
    m_bands.clear();
    m_cells.clear();
    ShowList(m_pBandList, m_bands);
    ShowList(m_pCellList, m_cells);
    SetNote(m_pBandNote, QString());
    SetNote(m_pCellNote, QString());
}

void CUniqueDialog::CloseResults() {
    if (!m_bCurrent)
        return;
    m_searcher.Cancel();
    m_bCurrent = false;
    ClearResults();
    m_pProgress->setValue(0);
    m_pStatus->setText(tr(kClosed));
    SetRunning(false);
}

const Suggestion* CUniqueDialog::SuggestionAt(QListWidget* list, int row) const {
    const std::vector<Suggestion>& entries = list == m_pBandList ? m_bands : m_cells;
    return row >= 0 && row < static_cast<int>(entries.size()) ? &entries[row] : nullptr;
}

std::vector<Suggestion>& CUniqueDialog::EntriesOf(QListWidget* list) {
    return list == m_pBandList ? m_bands : m_cells;
}

void CUniqueDialog::ApplySelected() {
    for (QListWidget* list : {m_pBandList, m_pCellList}) {
        const Suggestion* s = SuggestionAt(list, list->currentRow());
        if (!m_bCurrent || !s || list->selectedItems().isEmpty())
            continue;
        const Suggestion chosen = *s;
        m_searcher.Cancel();
        SetRunning(false);
        hide();
        emit applyRequested(chosen);
        return;
    }
}

void CUniqueDialog::OnFound(const Suggestion& s) {
    QListWidget* list = s.kind == SuggestionKind::Cells ? m_pCellList : m_pBandList;
    std::vector<Suggestion>& entries = EntriesOf(list);
    // The colour counts come nearest first.
    if (s.kind == SuggestionKind::Colours) {
        if (static_cast<int>(entries.size()) < kListed)
            entries.push_back(s);
        ShowList(list, entries);
        return;
    }
    const int n = m_start.n;
    const auto at = std::upper_bound(
        entries.begin(), entries.end(), s,
        [n](const Suggestion& a, const Suggestion& b) { return RanksBefore(a, b, n); });
    if (at - entries.begin() >= kListed)
        return;
    entries.insert(at, s);
    if (static_cast<int>(entries.size()) > kListed)
        entries.pop_back();
    ShowList(list, entries);
}

void CUniqueDialog::OnFinished(const UniqueSearchSummary& summary) {
    SetRunning(false);
    m_pProgress->setValue(100);
    m_pStatus->setText(tr(kDone));

    // The searches' own lists are the final word; the best of nothing when nothing was found.
    const BandSearchResult& bands = summary.bands;
    m_bands.assign(
        bands.suggestions.begin(),
        bands.suggestions.begin() + std::min<std::size_t>(bands.suggestions.size(), kListed));
    QString bandNote;
    if (bands.suggestions.empty()) {
        bandNote = bands.hasBest ? tr(kBandNone) : tr(kBandNoPicture);
        if (bands.hasBest)
            m_bands.push_back(bands.best);
    } else if (bands.onlyOutsideShare) {
        bandNote = tr(kOutsideShare)
                       .arg(std::lround(ShareOf(m_start.answer).Percent()))
                       .arg(kShareTolerance);
    }
    if (m_bColour)
        ShowColours(summary.colours);
    else
        ShowList(m_pBandList, m_bands);
    SetNote(m_pBandNote, m_bColour ? ColourNote(summary.colours) : bandNote);

    const CellSearchResult& cells = summary.cells;
    m_cells.assign(
        cells.suggestions.begin(),
        cells.suggestions.begin() + std::min<std::size_t>(cells.suggestions.size(), kListed));
    QString cellNote;
    if (cells.alreadyUnique) {
        cellNote = tr(kAlreadyUnique);
    } else if (cells.suggestions.empty()) {
        cellNote =
            cells.complete ? tr(kCellNone).arg(CellSearchOptions{}.maxChanges) : tr(kCellTimeout);
        if (cells.hasBest)
            m_cells.push_back(cells.best);
    } else if (cells.onlyOutsideShare) {
        cellNote = tr(kOutsideShare)
                       .arg(std::lround(ShareOf(m_start.answer).Percent()))
                       .arg(kShareTolerance);
    } else {
        cellNote = cells.complete ? tr(kCellFewest) : tr(kCellUnproven);
    }
    ShowList(m_pCellList, m_cells);
    SetNote(m_pCellNote, cellNote);
}

void CUniqueDialog::ShowColours(const ColourSearchResult& colours) {
    m_bands.assign(
        colours.suggestions.begin(),
        colours.suggestions.begin() + std::min<std::size_t>(colours.suggestions.size(), kListed));
    ShowList(m_pBandList, m_bands);
}

QString CUniqueDialog::ColourNote(const ColourSearchResult& colours) const {
    if (colours.timedOut)
        return tr(kColourTimeout);
    return colours.suggestions.empty() ? tr(kColourNone) : QString();
}

void CUniqueDialog::ShowList(QListWidget* list, const std::vector<Suggestion>& entries) {
    const FilledShare current = ShareOf(m_start.answer);
    const QSignalBlocker quiet(list);
    list->clear();
    for (const Suggestion& s : entries) {
        const std::vector<std::uint8_t> none;
        const QImage picture = SuggestionPicture(s, s.n == m_start.n ? m_start.answer : none);
        // The picture keeps its colours on a selected entry.
        QIcon icon(QPixmap::fromImage(picture));
        icon.addPixmap(QPixmap::fromImage(picture), QIcon::Selected);
        auto* item = new QListWidgetItem(
            icon, SuggestionTitle(s) + QLatin1Char('\n') + SuggestionDetail(s, current), list);
        item->setSizeHint(QSize(0, kSuggestionPictureSide + 6));
    }
    // The entry chosen stays chosen while entries arrive, wherever it moves.
    for (std::size_t row = 0; m_chosen && row < entries.size(); ++row) {
        const Suggestion& s = entries[row];
        if (s.kind == m_chosen->kind && s.n == m_chosen->n && s.lower == m_chosen->lower &&
            s.upper == m_chosen->upper && s.colours == m_chosen->colours &&
            s.changed == m_chosen->changed) {
            list->setCurrentRow(static_cast<int>(row));
            break;
        }
    }
    UpdateApply();
}

void CUniqueDialog::SetRunning(bool running) {
    m_pCancel->setVisible(running);
    m_pAgain->setVisible(!running);
    m_pProgress->setVisible(running || m_bCurrent);
    UpdateApply();
}

void CUniqueDialog::UpdateApply() {
    const bool chosen =
        !m_pBandList->selectedItems().isEmpty() || !m_pCellList->selectedItems().isEmpty();
    m_pApply->setEnabled(m_bCurrent && chosen);
    const bool cells = m_bCurrent && chosen && m_chosen && m_chosen->kind == SuggestionKind::Cells;
    emit cellsChosen(cells ? m_chosen->cells : std::vector<std::uint8_t>{});
}

void CUniqueDialog::closeEvent(QCloseEvent* event) {
    m_searcher.Cancel();
    SetRunning(false);
    QDialog::closeEvent(event);
}

void CUniqueDialog::reject() {
    m_searcher.Cancel();
    SetRunning(false);
    QDialog::reject();
}
