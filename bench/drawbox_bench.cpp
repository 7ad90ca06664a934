// DrawBox timings: the store of the 260 x 260 drawing into the input planes (with its progress
// bar), and single drawing events with the widest pen, each sent as the mouse event it is.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QProgressBar>

#include "construct/ngm_view.h"
#include "drawbox/drawbox.h"
#include "res/drawbox_ids.h"
#include "session/ngm_doc.h"

namespace {

QPoint At(int x, int y) {
    return QPoint(100 + x, 50 + y);
}

void Send(CDrawbox& box, QEvent::Type type, QPoint p, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(p), QPointF(box.mapToGlobal(p)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &e);
}

struct Fixture {
    CNGMDoc doc;
    CNGMView view{&doc};
    CDrawbox box{&doc};
    explicit Fixture(int tool, int pen) {
        box.show();
        CheckDlgButton(box.Controls(), IDC_DB_FREE, tool == IDC_DB_FREE);
        CheckDlgButton(box.Controls(), tool, true);
        SetDlgItemText(box.Controls(), IDC_DB_PEN_EDIT, QString::number(pen));
    }
};

void BM_Store(benchmark::State& state) {
    Fixture f(IDC_DB_FREE, 5);
    for (auto _ : state) {
        state.PauseTiming();
        f.box.show();
        f.box.m_progress->setValue(0);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        f.box.OnStore();
    }
    benchmark::DoNotOptimize(f.doc.m_ppInputPlanes[779][259]);
}
BENCHMARK(BM_Store)->Unit(benchmark::kMillisecond);

// A free-hand segment across the whole canvas with pen 40.
void BM_FreeHandSegmentPen40(benchmark::State& state) {
    Fixture f(IDC_DB_FREE, 40);
    Send(f.box, QEvent::MouseButtonPress, At(0, 0), Qt::LeftButton, Qt::LeftButton);
    bool forth = true;
    for (auto _ : state) {
        Send(f.box, QEvent::MouseMove, forth ? At(259, 259) : At(0, 0), Qt::NoButton,
             Qt::LeftButton);
        forth = !forth;
    }
    Send(f.box, QEvent::MouseButtonRelease, At(0, 0), Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_FreeHandSegmentPen40)->Unit(benchmark::kMicrosecond);

void BM_PointDotPen40(benchmark::State& state) {
    Fixture f(IDC_DB_POINT, 40);
    for (auto _ : state) {
        Send(f.box, QEvent::MouseButtonPress, At(130, 130), Qt::LeftButton, Qt::LeftButton);
        Send(f.box, QEvent::MouseButtonRelease, At(130, 130), Qt::LeftButton, Qt::NoButton);
    }
}
BENCHMARK(BM_PointDotPen40)->Unit(benchmark::kMicrosecond);

// One move of the line tool: the old band erased and the new one drawn, corner to corner.
void BM_LineBandMove(benchmark::State& state) {
    Fixture f(IDC_DB_LINE, 40);
    Send(f.box, QEvent::MouseButtonPress, At(0, 0), Qt::LeftButton, Qt::LeftButton);
    bool forth = true;
    for (auto _ : state) {
        Send(f.box, QEvent::MouseMove, forth ? At(259, 259) : At(259, 0), Qt::NoButton,
             Qt::LeftButton);
        forth = !forth;
    }
    Send(f.box, QEvent::MouseButtonRelease, At(0, 0), Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_LineBandMove)->Unit(benchmark::kMicrosecond);

// The final line of a drag with pen 40, corner to corner (press, then release).
void BM_LineFinalPen40(benchmark::State& state) {
    Fixture f(IDC_DB_LINE, 40);
    for (auto _ : state) {
        Send(f.box, QEvent::MouseButtonPress, At(0, 0), Qt::LeftButton, Qt::LeftButton);
        Send(f.box, QEvent::MouseButtonRelease, At(259, 259), Qt::LeftButton, Qt::NoButton);
    }
}
BENCHMARK(BM_LineFinalPen40)->Unit(benchmark::kMicrosecond);

// The paint that follows each event: the off-screen drawing copied onto the canvas.
void BM_CanvasRepaint(benchmark::State& state) {
    Fixture f(IDC_DB_FREE, 5);
    QImage target(260, 260, QImage::Format_RGB32);
    for (auto _ : state)
        f.box.m_canvas->render(&target);
}
BENCHMARK(BM_CanvasRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
