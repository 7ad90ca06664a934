#include "cli/picture_file.h"

#include <QFile>

#include "image/regular_file.h"
#include "session/picture_refusal_text.h"

namespace {

// Yes to every question; a refusal becomes its reason, and the memory the picture will need is
// taken from the budget once its header tells the size.
class BatchAsker : public PictureAsker {
public:
    BatchAsker(bool sumsOnly, MemoryBudget* budget, MemoryBudget::Lease* lease)
        : m_sumsOnly(sumsOnly), m_budget(budget), m_lease(lease) {}
    void HeaderRead(const PictureHeader& header, std::int64_t decodedBytes) override {
        if (m_budget && m_lease)
            *m_lease = m_budget->Take(PictureMemoryBytes(header, decodedBytes, m_sumsOnly));
    }
    bool AskFewColorBits() override { return true; }
    bool AskLargePicture() override { return true; }
    void Refuse(PictureRefusal refusal, const QString&) override {
        m_reason = PictureRefusalText(refusal);
    }
    const QString& Reason() const { return m_reason; }

private:
    bool m_sumsOnly;
    MemoryBudget* m_budget;
    MemoryBudget::Lease* m_lease;
    QString m_reason;
};

}  // namespace

std::int64_t PictureMemoryBytes(const PictureHeader& header, std::int64_t decodedBytes,
                                bool sumsOnly) {
    const std::int64_t side = header.canvas.side;
    // Gray sums of 2 bytes a pixel, the binary image of 4; the planes hold 3 samples of 4.
    return decodedBytes + side * side * (2 + 4 + (sumsOnly ? 0 : 12));
}

QString ReadPictureFile(PuzzleSession& session, const QString& path, bool sumsOnly,
                        MemoryBudget* budget, MemoryBudget::Lease* lease) {
    QFile file;
    switch (OpenRegularFile(path, file)) {
        case RegularFileOpen::kNotRegularFile:
            return NotPictureText();
        case RegularFileOpen::kFailed:
            return CannotOpenText();
        case RegularFileOpen::kOpened:
            break;
    }
    PictureLoader loader(file, SniffPictureFormat(file));
    BatchAsker asker(sumsOnly, budget, lease);
    const PictureReading reading =
        sumsOnly ? PictureReading::kGraySumsOnly : PictureReading::kFreshPlanes;
    session.ReadPicture(loader, QString(), asker, reading);
    return asker.Reason();
}
