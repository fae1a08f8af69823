#pragma once
// The browser page, built into the program from page/index.html.

namespace ocre::relay {
extern const char* const kPageHtml;
}
