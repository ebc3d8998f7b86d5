// The recorder arrives with the recording work; this keeps the library non-empty.
