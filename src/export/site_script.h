// The script every exported page loads. Plain old-style JavaScript (var,
// function, getElementsByTagName, onclick), because the HTML Help viewer runs
// pages in an old browser engine.
#pragma once

namespace qy::help_export {

// quillory.js: the contents tree (from qyContents in contents.js), popups
// shown in a box over the page from the hidden texts a page carries, the
// "?id=N" entry of index.html (qyIds in contents.js) and the search page
// (qySearchPages / qySearchIndex in search.js).
extern const char kSiteScript[];

}  // namespace qy::help_export
