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
// Version 1 packs every game's marks two bits each; version 2, written only when some game of
// a colour puzzle has a fill beyond colour 1, tells each game's mark width after its marks.
constexpr quint32 kVersion = 1;
constexpr quint32 kColourVersion = 2;
// No store of kMaxPuzzles puzzles of the largest size comes near this.
constexpr qint64 kMaxFileBytes = 64 << 20;
constexpr int kMaxCount = 1 << 24;  // clocks, hints and clears beyond this are not kept

void Warn(const QString& text) {
    std::fprintf(stderr, "ngm: %s\n", text.toLocal8Bit().constData());
}

// The bits a mark takes when packed: two for blank, filled and crossed, four once fills of
// colours beyond the first come in.
int MarkBits(const std::vector<Mark>& marks) {
    return std::any_of(marks.begin(), marks.end(), [](Mark m) { return m > Mark::Crossed; }) ? 4
                                                                                             : 2;
}

// 8 / bits marks a byte, the first in the lowest bits.
QByteArray Packed(const std::vector<Mark>& marks, int bits) {
    const int perByte = 8 / bits;
    QByteArray bytes((static_cast<qsizetype>(marks.size()) + perByte - 1) / perByte, '\0');
    for (std::size_t i = 0; i < marks.size(); ++i)
        bytes[i / perByte] = static_cast<char>(bytes[i / perByte] | static_cast<int>(marks[i])
                                                                        << (i % perByte * bits));
    return bytes;
}

std::optional<std::vector<Mark>> Unpacked(const QByteArray& bytes, int cells, int bits) {
    const int perByte = 8 / bits;
    if (bytes.size() != (cells + perByte - 1) / perByte)
        return std::nullopt;
    std::vector<Mark> marks(static_cast<std::size_t>(cells));
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const int value = static_cast<unsigned char>(bytes[i / perByte]) >> (i % perByte * bits) &
                          ((1 << bits) - 1);
        if (value > static_cast<int>(bits == 2 ? Mark::Crossed : FillMark(kMaxColours)))
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
    // A colour puzzle's runs have colours, which black and white keys leave out: the same
    // lengths in other colours, or on another palette, are another puzzle.
    if (puzzle.IsColour()) {
        for (std::uint32_t rgb : puzzle.palette)
            out << quint32(rgb);
        for (const auto* lines : {&puzzle.rowColours, &puzzle.columnColours}) {
            for (const LineColours& colours : *lines)
                out.writeBytes(reinterpret_cast<const char*>(colours.data()), colours.size());
        }
    }
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
    if (in.status() != QDataStream::Ok || magic != kMagic ||
        (version != kVersion && version != kColourVersion) ||
        count > static_cast<quint32>(kMaxPuzzles))
        return false;
    for (quint32 n = 0; n < count; ++n) {
        QByteArray key, marks;
        quint64 stamp = 0;
        qint32 width = 0, height = 0, seconds = 0, hints = 0, best = 0, clears = 0, clearHints = 0;
        bool checked = false;
        quint8 bits = 2;
        in >> key >> stamp >> width >> height >> marks;
        if (version == kColourVersion)
            in >> bits;
        in >> checked >> seconds >> hints >> best >> clears >> clearHints;
        if (in.status() != QDataStream::Ok || key.size() != 32 || (bits != 2 && bits != 4) ||
            width < 1 || height < 1 || width > kMaxPuzzleSide || height > kMaxPuzzleSide ||
            !InRange(seconds, 0) || !InRange(hints, 0) || !InRange(best, -1) ||
            !InRange(clears, 0) || !InRange(clearHints, 0))
            return false;
        PuzzleRecord record{width, height, {}, checked, seconds, hints, best, clears, clearHints};
        if (!marks.isEmpty()) {
            std::optional<std::vector<Mark>> cells = Unpacked(marks, width * height, bits);
            if (!cells)
                return false;
            record.marks = std::move(*cells);
        }
        m_entries.insert(key, {std::move(record), marks, bits, stamp});
        m_stamp = std::max<std::uint64_t>(m_stamp, stamp);
    }
    return in.atEnd() && m_entries.size() == static_cast<qsizetype>(count);
}

QByteArray ProgressStore::Written() const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    // Files of black-and-white games alone stay as the first version wrote them.
    const bool colour = std::any_of(m_entries.cbegin(), m_entries.cend(),
                                    [](const Entry& e) { return e.bits != 2; });
    out << kMagic << (colour ? kColourVersion : kVersion) << quint32(m_entries.size());
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        const PuzzleRecord& r = it->record;
        out << it.key() << quint64(it->stamp) << qint32(r.width) << qint32(r.height) << it->packed;
        if (colour)
            out << quint8(it->bits);
        out << r.checked << qint32(r.seconds) << qint32(r.hints) << qint32(r.bestSeconds)
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
    const int bits = MarkBits(record.marks);
    QByteArray packed = Packed(record.marks, bits);
    m_entries.insert(key, {std::move(record), std::move(packed), bits, ++m_stamp});
    m_changed = true;
    if (m_entries.size() <= kMaxPuzzles)
        return;
    auto oldest = m_entries.begin();
    for (auto e = m_entries.begin(); e != m_entries.end(); ++e)
        if (e->stamp < oldest->stamp)
            oldest = e;
    m_entries.erase(oldest);
}
