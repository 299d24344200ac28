// SPDX-License-Identifier: MIT
#include "model/OverlayList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "platform/AtomicFile.h"

namespace kavalo {

namespace {
bool valid(const std::vector<OverlayEntry>& e, int i) { return i >= 0 && i < static_cast<int>(e.size()); }

QString canonical(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }
}  // namespace

int OverlayList::add(const QString& path) {
  // One line per file: a name with a line break cannot be kept.
  if (path.contains(u'\n') || path.contains(u'\r')) return -1;
  const QString p = canonical(path);
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].path == p) return static_cast<int>(i);
  entries_.push_back(OverlayEntry{p, true});
  return count() - 1;
}

void OverlayList::remove(int index) {
  if (valid(entries_, index)) entries_.erase(entries_.begin() + index);
}

void OverlayList::setVisible(int index, bool visible) {
  if (valid(entries_, index)) entries_[static_cast<size_t>(index)].visible = visible;
}

void OverlayList::move(int index, int to) {
  if (!valid(entries_, index) || !valid(entries_, to) || index == to) return;
  OverlayEntry e = entries_[static_cast<size_t>(index)];
  entries_.erase(entries_.begin() + index);
  entries_.insert(entries_.begin() + to, e);
}

QString OverlayList::fileIn(const QString& datasetFolder) {
  return QDir(datasetFolder).filePath(QStringLiteral("overlays.txt"));
}

bool OverlayList::load(const QString& datasetFolder, QString* error) {
  entries_.clear();
  QFile file(fileIn(datasetFolder));
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) {
    if (error)
      *error = QCoreApplication::translate("kavalo::OverlayList", "「%1」を読み込めません。").arg(file.fileName());
    return false;
  }
  const QDir folder(datasetFolder);
  const QStringList lines = QString::fromUtf8(file.read(1 << 20)).split(u'\n');
  for (QString line : lines) {
    line.remove(u'\r');
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 1 || tab + 1 >= line.size()) continue;
    const QString path = line.mid(tab + 1);
    OverlayEntry e;
    e.visible = line.left(tab) != u"0";
    e.path = canonical(QDir::isAbsolutePath(path) ? path : folder.filePath(path));
    bool listed = false;
    for (const OverlayEntry& o : entries_) listed |= o.path == e.path;
    if (!listed) entries_.push_back(e);
  }
  return true;
}

bool OverlayList::save(const QString& datasetFolder, QString* error) const {
  const QString path = fileIn(datasetFolder);
  if (entries_.empty()) {
    if (!QFile::exists(path) || QFile::remove(path)) return true;
    if (error) *error = QCoreApplication::translate("kavalo::OverlayList", "「%1」を削除できません。").arg(path);
    return false;
  }
  const QDir folder(canonical(datasetFolder));
  QString text;
  for (const OverlayEntry& e : entries_) {
    const QString relative = folder.relativeFilePath(e.path);
    const bool inside = !relative.startsWith(QStringLiteral("../")) && relative != u"..";
    text += (e.visible ? QStringLiteral("1\t") : QStringLiteral("0\t")) + (inside ? relative : e.path) + u'\n';
  }
  return writeFileAtomically(path, text.toUtf8(), error);
}

}  // namespace kavalo
