// SPDX-License-Identifier: MIT
#pragma once
// Paths of the program are built the way its files name them: a folder
// followed by a name that begins with a backslash ("\mapinfo.txt",
// "\legend\05.png"). Texts stored in files keep that form so that data folders
// stay interchangeable with copies made on Windows; here it becomes a native
// path. Files copied from Windows may differ in letter case or carry their
// Japanese names in Shift-JIS bytes; the lookups below find them anyway.
#include <QByteArray>
#include <QString>

namespace kavalo {

// folder (native, no trailing separator) + a backslash name -> native path.
QString joinPath(const QString& folder, const QString& backslashName);

// A name in backslash form with its separators made native, without the
// leading separator ("\legend\05.png" -> "legend/05.png").
QString nativeRelative(const QString& backslashName);

// The path under which the file can be opened: the path itself when it exists,
// else a case-insensitive match (or the Shift-JIS spelling) of each missing
// component. The result is the raw file-system name; empty when nothing fits.
// A folder of some thousands of entries (an era of tiles) is not listed: a
// missing component in it is looked for only in lower case, in upper case
// and in Shift-JIS bytes.
QByteArray resolveRawPath(const QString& path);

// As resolveRawPath, except that the last component is looked for only as
// written, in lower case, in upper case and in Shift-JIS bytes: its folder
// is never listed. For
// the program's own files inside an era folder, which may hold a million
// tiles.
QByteArray resolveRawPathUnlisted(const QString& path);

// True when a name read from a file names one entry (folder or file) inside
// the folder it is joined to: not empty, not "." or "..", without a separator
// ("/" or "\"), a drive (":") or a NUL. Data-folder and era names, image
// extensions and sheet image names must be such names, or a hand-edited file
// could make the program read and write outside its folders.
bool isSingleName(const QString& name);

// True when the file can be opened for reading. Any failure gives false.
bool FileExists(const QString& path);

// True when the path is an existing folder.
bool FolderExists(const QString& path);

// Reads a whole file (with the lookups above). False with a message when it
// cannot be read.
bool readFileBytes(const QString& path, QByteArray& out, QString* error);

// Modification time of a file as local date and time text "YYYY/MM/DD hh:mm:ss",
// empty when unknown.
QString fileModifiedText(const QString& path);

}  // namespace kavalo
