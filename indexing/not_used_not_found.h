#pragma once
// The two plain lists after the index: terms defined but not used (or used only once) and
// terms not found. Each block is an empty paragraph, a bold heading, one paragraph per term
// ("None" when there is none) and an empty paragraph, under a bookmark of its own so that
// removing the index removes it too.

#include <string>

#include "host/model/document.h"
#include "host/shell/application.h"

namespace indexing {

/// Adds the not-used block right after the index (or after the selection when there is no
/// index); strNotUsed holds the terms separated by CR LF.
void NotUsedList(host::Document& wdDoc, const std::string& strNotUsed);

/// Adds the not-found block right after the not-used block (or after the application's
/// selection, which is the index once it is inserted) and leaves it selected.
void NotFoundList(host::Application& wdApp, host::Document& wdDoc, const std::string& strNotFound);

}  // namespace indexing
