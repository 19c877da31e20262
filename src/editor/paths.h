// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Pages link to other files by paths relative to the page, written with "/"; the program works with
// absolute native paths. Folders are given with a trailing "/".
namespace Paths {

// Pages written on Windows use "\" as a separator; both forms here use "/", so either direction turns
// every "\" into "/". toWebForm is kept so callers say which form they mean.
QString ChangeSlashes(const QString &path, bool toWebForm);

// The path of target relative to the folder base: the bare file name for a file in base, "sub/name" below
// it, "../" for each folder climbed out of; "./" for base itself. base names a folder with or without its
// trailing "/"; "." and ".." in either path are resolved first. When either path is not absolute, target
// is returned unchanged (with "/" separators): there is no common root to count from.
QString GetRelativeDir(const QString &base, const QString &target);

// The absolute path of path taken relative to the folder base, with "." and ".." resolved and doubled
// separators collapsed; a path naming a folder keeps its trailing "/". A path that is already absolute
// (starting with "/") is returned as it is, even one written from the site root. A base that is not
// absolute (or empty) gives a result relative in the same way.
QString GetAbsoluteDir(const QString &base, const QString &path);

} // namespace Paths
