#include "play/collection_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <random>

#include "maker/puzzle_generator.h"

namespace {

// How long making a new puzzle may take before the user hears that none was found.
constexpr double kMakeSeconds = 30.0;

}  // namespace

CCollectionDialog::CCollectionDialog(std::function<void(Puzzle)> play, const ProgressStore* store,
                                     QWidget* parent)
    : QDialog(parent),
      m_playPuzzle(std::move(play)),
      m_store(store),
      m_collection(LoadPuzzleCollection()) {
    setWindowTitle(tr("パズル集"));
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {tr("タイトル"), tr("大きさ"), tr("難易度"), tr("クリア"), tr("自己ベスト")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { PlayChosen(); });
    m_play = new QPushButton(tr("遊ぶ"), this);
    connect(m_play, &QPushButton::clicked, this, [this] { PlayChosen(); });

    auto* fresh = new QGroupBox(tr("新しいパズル"), this);
    m_size = new QSpinBox(fresh);
    m_size->setRange(5, 50);
    m_size->setValue(20);
    m_difficulty = new QSpinBox(fresh);
    m_difficulty->setRange(1, 5);
    m_difficulty->setValue(3);
    m_make = new QPushButton(tr("作って遊ぶ"), fresh);
    connect(m_make, &QPushButton::clicked, this, [this] { MakeNew(); });
    auto* form = new QFormLayout(fresh);
    form->addRow(tr("大きさ(縦横)"), m_size);
    form->addRow(tr("難易度"), m_difficulty);
    form->addRow(m_make);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(tr("閉じる"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_play, 0, Qt::AlignRight);
    layout->addWidget(fresh);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    resize(520, 560);
    FillList();
}

void CCollectionDialog::FillList() {
    const int current = std::max(0, m_list->currentIndex().row());
    m_list->clear();
    for (const CollectionPuzzle& entry : m_collection) {
        const Puzzle& p = entry.puzzle;
        std::optional<PuzzleRecord> record;
        if (m_store)
            record = m_store->Find(ProgressStore::KeyOf(p));
        const bool cleared = record && record->clears > 0;
        auto* item = new QTreeWidgetItem(
            m_list, {entry.title, QStringLiteral("%1×%2").arg(p.width).arg(p.height),
                     QString::number(entry.difficulty),
                     cleared ? QString::number(record->clears) : QString(),
                     cleared ? tr("%1秒").arg(record->bestSeconds) : QString()});
        for (int column = 1; column < 5; ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(
            m_list->topLevelItem(std::min(current, m_list->topLevelItemCount() - 1)));
}

void CCollectionDialog::PlayChosen() {
    const int row = m_list->currentIndex().row();
    if (row < 0 || row >= static_cast<int>(m_collection.size()))
        return;
    m_playPuzzle(m_collection[static_cast<std::size_t>(row)].puzzle);
    FillList();  // the clear and the best time just made
}

void CCollectionDialog::MakeNew() {
    const int size = m_size->value(), difficulty = m_difficulty->value();
    m_make->setEnabled(false);
    m_status->setText(tr("パズルを作っています..."));
    m_maker.Start([this, size, difficulty](const BackgroundTask::Run& run) {
        std::mt19937 rng(std::random_device{}());
        std::optional<Puzzle> made =
            GeneratePuzzle({size, size, difficulty, kMakeSeconds, run.CancelFlag()}, rng);
        run.Finish([this, made = std::move(made), size, difficulty]() mutable {
            Made(std::move(made), size, difficulty);
        });
    });
}

void CCollectionDialog::Made(std::optional<Puzzle> puzzle, int size, int difficulty) {
    m_make->setEnabled(true);
    if (!puzzle) {
        m_status->setText(tr("%1×%1、難易度 %2 のパズルを時間内に作れませんでした。"
                             "小さな盤面では難易度 5 はまれです。大きさか難易度を変えてください。")
                              .arg(size)
                              .arg(difficulty));
        return;
    }
    m_status->clear();
    puzzle->title = tr("新しいパズル %1×%1 難易度 %2").arg(size).arg(difficulty).toStdString();
    m_playPuzzle(std::move(*puzzle));
}
