#include "app/QtMessagePump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

bool QtMessagePump::PumpOne() {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher == nullptr)
        return false;
    // Posted events (repaints, deferred deletes) are sent as well; the
    // dispatcher says whether anything was handled.
    QCoreApplication::sendPostedEvents();
    return dispatcher->processEvents(QEventLoop::AllEvents);
}
