// MessageStorageCopy: what a task takes of a live Outlook message storage, copied into a storage of our own.
#pragma once

#include <objidl.h>

#include <cstddef>

// Copies the streams of the source's root that reading a message takes (its
// fixed properties, subject, texts, sender, search key and display lists)
// and nothing below the root: recipients, attachments and the named-property
// map stay behind. A storage that a mail program hands over answers every
// call across processes, so what is left out costs nothing.
// Throws ComError when the source cannot be listed or a copied stream read,
// when it lists more elements than a message holds, or when the copied
// streams pass byteLimit.
void CopyMessageStreams(IStorage* source, IStorage* target, size_t byteLimit);
