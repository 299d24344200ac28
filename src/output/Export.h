// SPDX-License-Identifier: MIT
#pragma once
// The export of the view once per era of the era list: one image per era and
// a document that shows them (a KML set of ground overlays, an HTML page with
// an era switcher, or one KMZ file holding the KML and the images), with a
// world file beside each image when asked.
//
// Every file is first written under a temporary name next to its place and
// only renamed when all of them are complete: a failed export leaves the
// previous files as they were and never a document pointing at missing
// images.
#include <QString>

#include "render/ViewRequest.h"

namespace kavalo {

struct ProgramState;
class Prompts;

enum class ExportFormat { Html = 0, Kml = 1, Kmz = 2 };

struct ExportOptions {
  QString path;  // the document (native path)
  ExportFormat format = ExportFormat::Html;
  bool jpeg = false;        // images as JPEG (quality 80) instead of PNG
  bool worldFiles = false;  // a world file and a .prj beside each image (not for KMZ)
};

// The export run: the view of the request is composed once per era of the
// list (as an image written once, at one image pixel per view pixel) and
// saved. True when every file was written. Failures are shown through
// prompts: an image that could not be saved, or the document (its error,
// then the format's own message).
bool ExportView(const ProgramState& session, const ViewRequest& view, const ExportOptions& options, Prompts& prompts);

// The extension of a format's document: "html", "kml", "kmz".
QString documentExtension(ExportFormat format);

}  // namespace kavalo
