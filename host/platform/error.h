#pragma once
// The error every failing host call throws: the word processor's error number where one
// applies, and a description a user can read.

#include <stdexcept>
#include <string>

namespace host {

/// Every error number the host throws, in one place (the word processor's numbers).
enum ErrorNumber : long {
  kErrBadArgument = 5,           // invalid procedure call or argument
  kErrSubscript = 9,             // subscript out of range (an index outside a list)
  kErrObjectNotSet = 91,         // object variable not set (a reference that is Nothing)
  kErrCannotCreateObject = 429,  // a component cannot be created
  kErrViewNotAvailable = 4605,   // a view or story that is not available now
  kErrOutOfRange = 4608,         // value out of range (positions outside the story)
  kErrNoSuchMember = 5941,       // the requested member of the collection does not exist
  kErrNoDocument = 5986,         // this command is not available because no document is open
  kErrFileFormat = 5792,         // the file appears to be corrupted / not a document
  kErrFileAccess = 5273,         // the document name or path is not valid / cannot be written
  kErrBadPattern = 5560,         // the Find What text contains an invalid pattern match expression
  kErrObjectDeleted = 5825,      // the object has been deleted (a field or bookmark an edit removed)
};

/// A failed host call.
class Error : public std::runtime_error {
 public:
  Error(long number, const std::string& description) : std::runtime_error(description), number_(number) {}
  /// The error number.
  long number() const { return number_; }
  /// The description shown to the user.
  std::string description() const { return what(); }

 private:
  long number_;
};

}  // namespace host
