// SPDX-License-Identifier: MIT
#include "output/Export.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <zip.h>

#include <memory>
#include <vector>

#include "model/ProgramState.h"
#include "output/ExportDocuments.h"
#include "output/PictureSave.h"
#include "platform/Codec.h"
#include "platform/Prompts.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

// The HTML page is Shift-JIS; a character without a Shift-JIS form is kept as
// a numeric character reference rather than turned into "?".
QByteArray htmlBytes(const QString& text) {
  bool ok = true;
  QByteArray bytes = toSjis(text, &ok);
  if (ok) return bytes;
  QString safe;
  for (char32_t c : text.toUcs4()) {
    const QString one = QString::fromUcs4(&c, 1);
    bool charOk = true;
    toSjis(one, &charOk);
    safe += charOk ? one : QStringLiteral("&#%1;").arg(static_cast<uint>(c));
  }
  return toSjis(safe);
}

QByteArray kmlBytes(const QString& text) { return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8(); }

// Files written under temporary names, renamed together at the end. Files not
// committed are removed when the set goes away.
class StagedFiles {
 public:
  // Writes the bytes under a temporary name beside path; false with the
  // reason in error.
  bool stage(const QString& path, const QByteArray& bytes, QString& error) {
    auto file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly) || file->write(bytes) != bytes.size()) {
      error = file->errorString();
      return false;
    }
    files_.push_back(std::move(file));
    return true;
  }
  // Renames every file into place, in the order staged (the document last).
  bool commitAll(QString& failedPath, QString& error) {
    for (auto& file : files_) {
      if (!file->commit()) {
        failedPath = file->fileName();
        error = file->errorString();
        return false;
      }
    }
    files_.clear();
    return true;
  }

 private:
  std::vector<std::unique_ptr<QSaveFile>> files_;
};

QString zipError(zip_t* zip) { return QString::fromLocal8Bit(zip_strerror(zip)); }

bool addToZip(zip_t* zip, const QString& name, const QByteArray& bytes, bool store, QString& error) {
  zip_source_t* source = zip_source_buffer(zip, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
  if (!source) {
    error = zipError(zip);
    return false;
  }
  const zip_int64_t index = zip_file_add(zip, name.toUtf8().constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    error = zipError(zip);
    return false;
  }
  // Images are compressed already: storing them saves time and no space.
  if (store) zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  return true;
}

// One KMZ holding doc.kml and the images. libzip writes the archive under a
// temporary name and renames it on closing, so a previous file stays whole
// until the new one is complete.
bool writeKmz(const QString& path, const QByteArray& kml, const QStringList& names,
              const std::vector<QByteArray>& images, QString& error) {
  int code = 0;
  zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!zip) {
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    error = QString::fromLocal8Bit(zip_error_strerror(&e));
    zip_error_fini(&e);
    return false;
  }
  bool ok = addToZip(zip, QStringLiteral("doc.kml"), kml, false, error);
  for (size_t i = 0; ok && i < images.size(); ++i)
    ok = addToZip(zip, names[static_cast<int>(i)], images[i], true, error);
  if (!ok) {
    zip_discard(zip);
    return false;
  }
  if (zip_close(zip) != 0) {
    error = zipError(zip);
    zip_discard(zip);
    return false;
  }
  return true;
}

QString formatName(ExportFormat format) {
  switch (format) {
    case ExportFormat::Kml:
      return QStringLiteral("KML");
    case ExportFormat::Kmz:
      return QStringLiteral("KMZ");
    case ExportFormat::Html:
      break;
  }
  return QStringLiteral("HTML");
}

}  // namespace

QString documentExtension(ExportFormat format) { return formatName(format).toLower(); }

bool ExportView(const ProgramState& state, const ViewRequest& view, const ExportOptions& options, Prompts& prompts) {
  const std::vector<ExportEra> eras = exportEraList(state);
  if (eras.empty() || view.eraIndex < 0 || view.eraIndex >= static_cast<int>(state.eras.size())) return false;
  const QString folder = FolderOf(options.path);
  const QString base = StripExtension(FileNameOf(options.path));
  const QString ext = options.jpeg ? QStringLiteral("jpg") : QStringLiteral("png");
  const bool kmz = options.format == ExportFormat::Kmz;
  auto beside = [&](const QString& name) { return folder.isEmpty() ? name : folder + u'/' + name; };

  StagedFiles staged;
  QStringList names;
  std::vector<QByteArray> images;  // kept for the KMZ only
  bool imagesOk = true;
  // Every era shows the same place: one box and one size for all.
  ViewRequest request = view;
  request.pass = RenderPass::Export;
  request.devicePixelRatio = 1.0;
  request.origin = QPointF();
  const int width = request.viewSize.width(), height = request.viewSize.height();
  const GeoBox box = request.viewport(state.mapInfo).Get_ViewGeoBox(1);
  QImage picture;
  {
    WaitCursor wait(prompts);
    for (size_t i = 0; i < eras.size() && imagesOk; ++i) {
      request.eraIndex = eras[i].eraIndex;
      renderView(state, request, picture);
      const QString name = imageFileName(base, static_cast<int>(i), ext);
      const QString path = beside(name);
      names << name;
      QByteArray bytes = encodePicture(picture, options.jpeg);
      QString error;
      if (bytes.isEmpty() || (!kmz && !staged.stage(path, bytes, error))) {
        prompts.message(QCoreApplication::translate("kavalo::Export", "%1は保存できませんでした。")
                            .arg(QDir::toNativeSeparators(path)),
                        MessageIcon::Warning);
        imagesOk = false;
        break;
      }
      if (kmz) images.push_back(std::move(bytes));
      if (options.worldFiles && !kmz) {
        const QString stem = beside(StripExtension(name));
        if (!staged.stage(stem + u'.' + worldFileExtension(ext), worldFileText(box, width, height).toLatin1(), error) ||
            !staged.stage(stem + QStringLiteral(".prj"), worldDatumPrj().toLatin1(), error) ||
            !staged.stage(path + QStringLiteral(".aux.xml"), worldDatumAuxXml().toUtf8(), error)) {
          prompts.message(QCoreApplication::translate("kavalo::Export", "%1のワールドファイルは保存できませんでした。")
                              .arg(QDir::toNativeSeparators(stem)),
                          MessageIcon::Warning);
          imagesOk = false;
        }
      }
      prompts.processEvents();
    }
  }
  if (!imagesOk) return false;

  const QString title = state.mapInfo.title;
  QString error;
  bool documentOk = false;
  if (options.format == ExportFormat::Html) {
    documentOk = staged.stage(options.path, htmlBytes(htmlText(eras, base, ext, width, height)), error);
  } else {
    const QByteArray kml = kmlBytes(kmlText(title, eras, base, ext, box));
    documentOk = kmz ? writeKmz(options.path, kml, names, images, error) : staged.stage(options.path, kml, error);
  }
  QString failedPath;
  if (documentOk && !staged.commitAll(failedPath, error)) {
    prompts.message(QCoreApplication::translate("kavalo::Export", "%1は保存できませんでした。")
                        .arg(QDir::toNativeSeparators(failedPath)),
                    MessageIcon::Warning);
    return false;
  }
  if (!documentOk) {
    prompts.message(error, MessageIcon::Warning);
    prompts.message(QCoreApplication::translate("kavalo::Export", "%1ファイルを保存できませんでした。")
                        .arg(formatName(options.format)),
                    MessageIcon::Warning);
    return false;
  }
  return true;
}

}  // namespace kavalo
