#pragma once

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

// Saves a picture of the widget as name.png in the pictures folder, for a look at the
// layout; returns its path, or an empty string when it could not be written. The test
// target defines LEXIFIND_PICTURES_DIR; the environment variable of that name overrides it.
inline QString SavePicture(QWidget *widget, const QString &name)
{
    // A run with another font set keeps its pictures apart.
    const QString folder = qEnvironmentVariable("LEXIFIND_PICTURES_DIR",
                                                QStringLiteral(LEXIFIND_PICTURES_DIR));
    const QString file = folder + u'/' + name + QStringLiteral(".png");
    if (!QDir().mkpath(folder) || !widget->grab().save(file))
        return {};
    return file;
}
