#pragma once

#include "widgets/TransBtn.h"

#include <QCoreApplication>
#include <QEnterEvent>

namespace qv::test {

// The pointer enters or leaves a button, as the window system reports it.
inline void hover(TTransparentButton& button)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&button, &enter);
}

inline void unhover(TTransparentButton& button)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
}

} // namespace qv::test
