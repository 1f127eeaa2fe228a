#pragma once
// The About component: holds the texts and the picture of the About window and shows that
// window modally (Execute). Placed on the main window as "AboutBox1"; its Warning property is
// translated by the main window's localizer.
//
// A Linux program file carries no version resource, so the version comes from whoever owns the
// build's version numbers (the program passes CMake's project version); without one the window
// shows no version line.
#include <QImage>
#include <QObject>
#include <QString>
#include <optional>

class QWidget;

namespace support {

/// The four numbers of a file version: major.minor.release.build.
struct FileVersion {
    int major = 0;
    int minor = 0;
    int release = 0;
    int build = 0;
};

/// "%d.%d (Build: %d.%d)"; empty without a version.
QString versionText(const std::optional<FileVersion>& version);

class TAboutBox : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString AppName READ AppName WRITE setAppName)
    Q_PROPERTY(QString Copyright READ Copyright WRITE setCopyright)
    Q_PROPERTY(QImage Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QString Url READ Url WRITE setUrl)
    Q_PROPERTY(QString Warning READ Warning WRITE setWarning)
public:
    explicit TAboutBox(QObject* owner = nullptr);

    static QString defaultCopyright();
    static QString defaultUrl();
    static QString defaultWarning();

    const QString& AppName() const { return appName_; }
    void setAppName(const QString& name) { appName_ = name; }
    const QString& Copyright() const { return copyright_; }
    void setCopyright(const QString& text) { copyright_ = text; }
    /// A null image means no picture. Assigning copies the picture.
    const QImage& Picture() const { return picture_; }
    void setPicture(const QImage& picture) { picture_ = picture; }
    const QString& Url() const { return url_; }
    void setUrl(const QString& url) { url_ = url; }
    const QString& Warning() const { return warning_; }
    void setWarning(const QString& text) { warning_ = text; }

    const std::optional<FileVersion>& version() const { return version_; }
    void setVersion(const std::optional<FileVersion>& version) { version_ = version; }

    /// Shows the About window modally over parent and frees it when it closes.
    void Execute(QWidget* parent = nullptr);

private:
    QString appName_;
    QString copyright_ = defaultCopyright();
    QImage picture_;
    QString url_ = defaultUrl();
    QString warning_ = defaultWarning();
    std::optional<FileVersion> version_;
};

} // namespace support
