#include "session/progress_store.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

namespace {

constexpr quint32 kMagic = 0x4e474d50;  // "NGMP"
constexpr quint32 kVersion = 1;
// No store of kMaxPuzzles puzzles of the largest size comes near this.
constexpr qint64 kMaxFileBytes = 64 << 20;
constexpr int kMaxCount = 1 << 24;  // clocks, hints and clears beyond this are not kept

void Warn(const QString& text) {
    std::fprintf(stderr, "ngm: %s\n", text.toLocal8Bit().constData());
}

// Four marks a byte, two bits each.
QByteArray Packed(const std::vector<Mark>& marks) {
    QByteArray bytes((static_cast<qsizetype>(marks.size()) + 3) / 4, '\0');
    for (std::size_t i = 0; i < marks.size(); ++i)
        bytes[i / 4] = static_cast<char>(bytes[i / 4] | static_cast<int>(marks[i]) << (i % 4 * 2));
    return bytes;
}

std::optional<std::vector<Mark>> Unpacked(const QByteArray& bytes, int cells) {
    if (bytes.size() != (cells + 3) / 4)
        return std::nullopt;
    std::vector<Mark> marks(static_cast<std::size_t>(cells));
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const int value = static_cast<unsigned char>(bytes[i / 4]) >> (i % 4 * 2) & 3;
        if (value > static_cast<int>(Mark::Crossed))
            return std::nullopt;
        marks[i] = static_cast<Mark>(value);
    }
    return marks;
}

bool InRange(qint32 value, qint32 low) {
    return value >= low && value <= kMaxCount;
}

}  // namespace

bool PuzzleRecord::HasGame() const {
    return checked || seconds > 0 || hints > 0 ||
           std::any_of(marks.begin(), marks.end(), [](Mark m) { return m != Mark::Blank; });
}

QString ProgressStore::DefaultPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/ngm/progress.dat");
}

QByteArray ProgressStore::KeyOf(const Puzzle& puzzle) {
    QByteArray text;
    QDataStream out(&text, QIODevice::WriteOnly);
    out << qint32(puzzle.width) << qint32(puzzle.height);
    for (const auto* lines : {&puzzle.rows, &puzzle.columns}) {
        out << qint32(lines->size());
        for (const LineClue& clue : *lines) {
            out << qint32(clue.size());
            for (int run : clue)
                out << qint32(run);
        }
    }
    out.writeBytes(reinterpret_cast<const char*>(puzzle.answer.data()), puzzle.answer.size());
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256);
}

ProgressStore::ProgressStore(QString path) : m_path(std::move(path)) {}

void ProgressStore::Load() {
    m_entries.clear();
    m_changed = false;
    if (m_path.isEmpty())
        return;
    QFile file(m_path);
    if (!file.exists())
        return;
    const bool opened = file.open(QIODevice::ReadOnly);
    const bool read = opened && file.size() <= kMaxFileBytes && Read(file.readAll());
    if (read)
        return;
    m_entries.clear();
    if (!opened) {
        Warn(QStringLiteral("%1: cannot read the saved games; they are not used").arg(m_path));
        return;
    }
    file.close();
    const QString aside = m_path + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile::rename(m_path, aside);
    Warn(QStringLiteral("%1: the saved games are damaged and are not used (kept as %2)")
             .arg(m_path, aside));
}

bool ProgressStore::Read(QByteArray bytes) {
    QDataStream in(&bytes, QIODevice::ReadOnly);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, version = 0, count = 0;
    in >> magic >> version >> count;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion ||
        count > static_cast<quint32>(kMaxPuzzles))
        return false;
    for (quint32 n = 0; n < count; ++n) {
        QByteArray key, marks;
        quint64 stamp = 0;
        qint32 width = 0, height = 0, seconds = 0, hints = 0, best = 0, clears = 0, clearHints = 0;
        bool checked = false;
        in >> key >> stamp >> width >> height >> marks >> checked >> seconds >> hints >> best >>
            clears >> clearHints;
        if (in.status() != QDataStream::Ok || key.size() != 32 || width < 1 || height < 1 ||
            width > kMaxPuzzleSide || height > kMaxPuzzleSide || !InRange(seconds, 0) ||
            !InRange(hints, 0) || !InRange(best, -1) || !InRange(clears, 0) ||
            !InRange(clearHints, 0))
            return false;
        PuzzleRecord record{width, height, {}, checked, seconds, hints, best, clears, clearHints};
        if (!marks.isEmpty()) {
            std::optional<std::vector<Mark>> cells = Unpacked(marks, width * height);
            if (!cells)
                return false;
            record.marks = std::move(*cells);
        }
        m_entries.insert(key, {std::move(record), marks, stamp});
        m_stamp = std::max<std::uint64_t>(m_stamp, stamp);
    }
    return in.atEnd() && m_entries.size() == static_cast<qsizetype>(count);
}

QByteArray ProgressStore::Written() const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion << quint32(m_entries.size());
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        const PuzzleRecord& r = it->record;
        out << it.key() << quint64(it->stamp) << qint32(r.width) << qint32(r.height) << it->packed
            << r.checked << qint32(r.seconds) << qint32(r.hints) << qint32(r.bestSeconds)
            << qint32(r.clears) << qint32(r.clearHints);
    }
    return bytes;
}

bool ProgressStore::Save() {
    if (m_path.isEmpty() || !m_changed)
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Written()) < 0 || !file.commit()) {
        Warn(QStringLiteral("%1: cannot save the games: %2").arg(m_path, file.errorString()));
        return false;
    }
    m_changed = false;
    return true;
}

std::optional<PuzzleRecord> ProgressStore::Find(const QByteArray& key) const {
    const auto it = m_entries.constFind(key);
    if (it == m_entries.cend())
        return std::nullopt;
    return it->record;
}

void ProgressStore::Put(const QByteArray& key, PuzzleRecord record) {
    const auto it = m_entries.find(key);
    if (record.IsEmpty()) {
        if (it != m_entries.end()) {
            m_entries.erase(it);
            m_changed = true;
        }
        return;
    }
    if (it != m_entries.end() && it->record == record)
        return;  // nothing new: the order of use is not worth a write
    if (!record.HasGame())
        record.marks.clear();
    QByteArray packed = Packed(record.marks);
    m_entries.insert(key, {std::move(record), std::move(packed), ++m_stamp});
    m_changed = true;
    if (m_entries.size() <= kMaxPuzzles)
        return;
    auto oldest = m_entries.begin();
    for (auto e = m_entries.begin(); e != m_entries.end(); ++e)
        if (e->stamp < oldest->stamp)
            oldest = e;
    m_entries.erase(oldest);
}
