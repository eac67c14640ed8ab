#pragma once
// Running checks inside a modal window that a test opens with exec().

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

namespace dovanel::test {

// Runs `inside` on the next modal dialog once it is open and active, then closes
// the dialog if `inside` did not, so that a failed check never leaves the test waiting.
inline void InsideNextModal(std::function<void(QDialog&)> inside) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, inside] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        if (!QTest::qWaitForWindowActive(modal))
            ADD_FAILURE() << "the modal window never became active";
        inside(*modal);
        if (modal->isVisible()) modal->reject();
    });
    poll->start(5);
}

}  // namespace dovanel::test
