// The memory a batch's workers share: however many workers ask at once, what they hold together
// stays within the budget, a picture larger than the budget runs alone, and every worker gets
// its turn.  And a claimed 8000 x 8000 picture asks for its decoding and its canvas.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "cli/memory_budget.h"
#include "cli/picture_file.h"

namespace {

TEST(MemoryBudget, WorkersHoldNoMoreThanTheBudgetTogether) {
    constexpr std::int64_t kBudget = 1000;
    MemoryBudget budget(kBudget);
    std::atomic<std::int64_t> held{0}, most{0}, alone{0};
    std::atomic<int> done{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 16; ++w) {
        workers.emplace_back([&, w] {
            for (int k = 0; k < 50; ++k) {
                const std::int64_t bytes = (w * 37 + k * 101) % 600 + (k == w ? 1500 : 1);
                MemoryBudget::Lease lease = budget.Take(bytes);
                const std::int64_t now = held += bytes;
                std::int64_t seen = most;
                while (now > seen && !most.compare_exchange_weak(seen, now)) {
                }
                if (bytes > kBudget && now != bytes)
                    ++alone;  // a picture beyond the budget shared the memory
                std::this_thread::yield();
                held -= bytes;
            }
            ++done;
        });
    }
    for (std::thread& t : workers)
        t.join();
    EXPECT_EQ(done, 16);
    EXPECT_EQ(alone, 0);
    EXPECT_LE(most, 600 + 1500);  // the largest picture, alone
}

TEST(MemoryBudget, APictureAsksForItsDecodingAndItsCanvas) {
    // A small JPEG whose frame header claims 8000 x 8000 pixels.
    QByteArray jpeg;
    QBuffer encoded(&jpeg);
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(&encoded, "jpg"));
    const qsizetype frame = jpeg.indexOf("\xff\xc0");
    ASSERT_GT(frame, 0);
    jpeg.replace(frame + 5, 4, QByteArray::fromHex("1f401f40"));
    QBuffer device(&jpeg);
    device.open(QIODevice::ReadOnly);
    PictureLoader loader(device, SniffPictureFormat(device));
    const auto header = loader.ReadHeader();
    ASSERT_TRUE(std::holds_alternative<PictureHeader>(header));
    const PictureHeader& h = std::get<PictureHeader>(header);
    const std::int64_t pixels = std::int64_t{8000} * 8000;
    // At least the 32-bit image and the 2-byte sums with the 4-byte binary image; with the
    // planes 12 bytes more.
    const std::int64_t sums = PictureMemoryBytes(h, loader.DecodedBytes(), true);
    EXPECT_GE(sums, pixels * (4 + 6));
    EXPECT_GE(PictureMemoryBytes(h, loader.DecodedBytes(), false), sums + pixels * 12);
}

}  // namespace
