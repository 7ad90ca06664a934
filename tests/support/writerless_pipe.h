// A named pipe with no writer, for the tests that a pipe is refused at once.  Should an opening
// wait for a writer after all, one comes after two seconds, so that the test fails on the clock
// instead of hanging.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <thread>

class WriterlessPipe {
public:
    explicit WriterlessPipe(const QString& path) : m_path(path) {
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        m_writer = std::thread([this] {
            for (int i = 0; i < 200 && !m_done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
    }
    ~WriterlessPipe() {
        m_done = true;
        m_writer.join();
    }

private:
    QString m_path;
    std::atomic<bool> m_done = false;
    std::thread m_writer;
};
