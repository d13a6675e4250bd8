// The headers most of a library's sources include, parsed once per library instead of once per source.
// Each library gets the part its own Qt modules allow: Qt's targets define QT_<MODULE>_LIB for the code
// that links them.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef QT_CORE_LIB
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QStringList>
#endif

#ifdef QT_GUI_LIB
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#endif

#ifdef QT_WIDGETS_LIB
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>
#endif
