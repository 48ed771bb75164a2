// Driving a modal dialog from inside its own event loop.
#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

namespace qy::app::testing {

// Runs `act` on the modal dialog of type D as soon as it shows; whatever
// `act` leaves open (a failed check returns early) is cancelled, so a
// failure never blocks the test. The flag tells whether the dialog showed.
template <class D>
std::unique_ptr<bool> WhenShown(std::function<void(D&)> act) {
  auto seen = std::make_unique<bool>(false);
  QTimer::singleShot(0, [act, flag = seen.get()] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (!dialog) return;
    *flag = true;
    act(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  return seen;
}

}  // namespace qy::app::testing
