#include "shell/ui/GlobalDM.h"

#include "base/DebugLog.h"
#include "base/Gbk.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace vlk {
namespace {

QString ReadStyleSheet(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DebugLog().warn("skin {} could not be read", path.toStdString());
        return {};
    }
    const QByteArray bytes = file.readAll();
    return QString::fromStdString(FileTextToUtf8(std::string_view(bytes.constData(), bytes.size())));
}

} // namespace

TGlobalDM::TGlobalDM(const std::string& appPath)
    : pathApp_(QString::fromStdString(appPath)), settings_(appPath)
{
    QDir::setSearchPaths("app", {pathApp_});
    LoadSkins();
    settings_.LoadLoginLayout();
}

void TGlobalDM::LoadSkins()
{
    settings_.LoadSkins();
    for (const auto& [name, file] : settings_.SkinList)
        skinSheets_ << ReadStyleSheet(QString::fromStdString(settings_.SkinFolder() + file));
    Select(settings_.SkinIndex);
    const QString frame = QString::fromStdString(settings_.FrameSkinFile());
    if (QFile::exists(frame))
        frameSkin_ = ReadStyleSheet(frame);
}

void TGlobalDM::Select(int index)
{
    // A stored index beyond the list (a skin that was removed) falls back to the first skin.
    current_ = index >= 0 && index < skinSheets_.size() ? index : (skinSheets_.isEmpty() ? -1 : 0);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        app->setStyleSheet(CSkinData());
}

void TGlobalDM::SetSkinIndex(int index)
{
    if (index != current_ || index >= skinSheets_.size())
        Select(index);
    settings_.WriteSkinIndex(index);
}

QStringList TGlobalDM::SkinList() const
{
    QStringList names;
    for (const auto& entry : settings_.SkinList)
        names << QString::fromStdString(entry.first);
    return names;
}

QString TGlobalDM::CSkinData() const
{
    return current_ >= 0 ? skinSheets_.at(current_) : QString();
}

QRect TGlobalDM::LoginRect(TLoginControl control) const
{
    const TLoginRect r = settings_.LoginRect(control);
    return QRect(r.left, r.top, r.width, r.height);
}

} // namespace vlk
