// A shown form view on its own document, with helpers that put a picture in the planes the way
// a load does.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "model/ngm_doc.h"
#include "construct/ngm_view.h"
#include "platform/scroll_codes.h"

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc = std::make_unique<CNGMDoc>();
        view = std::make_unique<CNGMView>(doc.get());
        view->OnInitialUpdate();
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        view.reset();
        doc.reset();
    }

    // Puts a size x size picture of one colour into the planes, as a successful load leaves it.
    void PutPicture(int size, int r = 0, int g = 0, int b = 0) {
        view->AllocBuffer(3 * size, size, 1);
        view->AllocBuffer(size, size, 2);
        for (int x = 0; x < size; ++x) {
            for (int y = 0; y < size; ++y) {
                doc->m_ppInputPlanes[3 * x][y] = r;
                doc->m_ppInputPlanes[3 * x + 1][y] = g;
                doc->m_ppInputPlanes[3 * x + 2][y] = b;
            }
        }
        view->ApplyPicturePresentState();
    }

    bool Enabled(int id) const { return view->GetDlgItem(id)->isEnabled(); }
    QString Text(int id) const { return GetDlgItemText(view->Controls(), id); }
    ScrollCodeBar* Bar(int id) const { return view->Controls().Get<ScrollCodeBar>(id); }
    void Click(int id) {
        QTest::mouseClick(view->GetDlgItem(id), Qt::LeftButton, {},
                          view->GetDlgItem(id)->rect().center());
    }

    std::unique_ptr<CNGMDoc> doc;
    std::unique_ptr<CNGMView> view;
};
