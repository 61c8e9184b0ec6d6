// Marks the toolkit's public interface. The library is built with hidden visibility, so only what
// carries this mark (classes with their vtables and type information, free functions) is exported.
#pragma once

#define LVX_DIALOGS_API __attribute__((visibility("default")))
