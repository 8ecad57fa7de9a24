#pragma once
// Marks a package so that word processors refresh its fields when they open it
// (w:updateFields in the settings part, which is created when the package has none).

namespace host {

class Package;

/// Sets w:updateFields in the settings part, adding the part, its relationship and its
/// content type when missing.
void markFieldsForRefresh(Package& package);

}  // namespace host
