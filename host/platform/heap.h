#pragma once
// How the process's heap is backed. A batch run builds hundreds of megabytes of XML nodes and
// maps that it touches once each: with 4 KB pages every first touch is a page fault, which on a
// virtual machine costs about a fifth of an index run.

namespace host {

/// Reserves address space at the top of the heap and asks the kernel to back it with
/// transparent huge pages, so that the heap grows a huge page at a time. Meant for short runs
/// (freed memory at the top of the heap is kept for reuse, not given back); does nothing where
/// the C library or the kernel offers no such thing, or a sanitizer owns the heap.
void PreferHugePages();

}  // namespace host
