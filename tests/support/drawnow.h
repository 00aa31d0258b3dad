#pragma once
// Draws on a view's worker and waits for the drawing to end, for tests that
// need a finished drawing before they look at the view.

#include "engine/draw.h"
#include "engine/drawsettings.h"
#include "view/mainview.h"

#include <QObject>
#include <gtest/gtest.h>

namespace orbelle::test {

/// The result the view reports for settings; a failure is added when the
/// view refuses to start or the drawing does not end within the deadline.
inline DrawResult drawNow(MainView& view, const DrawSettings& settings, int deadlineMs = 60000) {
    DrawResult result;
    result.status = DrawStatus::Cancelled;
    const QMetaObject::Connection finished = QObject::connect(
        &view, &MainView::drawingFinished, [&result](const DrawResult& r) { result = r; });
    if (!view.startDrawing(settings)) {
        ADD_FAILURE() << "the view refused to draw";
    } else if (!view.waitForDrawing(deadlineMs)) {
        ADD_FAILURE() << "the drawing did not end";
    }
    QObject::disconnect(finished);
    return result;
}

} // namespace orbelle::test
