#include "export/site_script.h"

namespace qy::help_export {

const char kSiteScript[] = R"JS(// Quillory help site script.
function qyAddClass(e, c) { e.className = e.className ? e.className + ' ' + c : c; }
function qyHasClass(e, c) { return (' ' + e.className + ' ').indexOf(' ' + c + ' ') >= 0; }
function qyRemoveClass(e, c) {
  e.className = (' ' + e.className + ' ').replace(' ' + c + ' ', ' ').replace(/^ +| +$/g, '');
}

function qyToggle(a) {
  var li = a.parentNode;
  if (qyHasClass(li, 'qy-closed')) qyRemoveClass(li, 'qy-closed'); else qyAddClass(li, 'qy-closed');
  return false;
}

// qyContents: [level, title, file, book] in contents order.
function qyBuildTree(nav, current) {
  if (typeof qyContents == 'undefined' || !nav) return;
  var root = document.createElement('ul');
  var lists = [root];
  var books = [];
  for (var i = 0; i < qyContents.length; i++) {
    var entry = qyContents[i];
    var level = entry[0];
    while (lists.length > level && lists.length > 1) { lists.pop(); books.pop(); }
    var li = document.createElement('li');
    var a = document.createElement('a');
    a.appendChild(document.createTextNode(entry[1]));
    li.appendChild(a);
    lists[lists.length - 1].appendChild(li);
    if (entry[3]) {
      a.href = '#';
      a.className = 'qy-book';
      a.onclick = function () { return qyToggle(this); };
      qyAddClass(li, 'qy-closed');
      var sub = document.createElement('ul');
      li.appendChild(sub);
      lists.push(sub);
      books.push(li);
    } else if (entry[2]) {
      a.href = entry[2];
      if (entry[2] == current) {
        a.className = 'qy-here';
        for (var b = 0; b < books.length; b++) qyRemoveClass(books[b], 'qy-closed');
      }
    }
  }
  nav.appendChild(root);
}

var qyBox = null;
function qyHidePopup() { if (qyBox) qyBox.style.display = 'none'; }

function qyShowPopup(a, e) {
  var href = a.getAttribute('href');
  var text = document.getElementById('qy-pop-' + href.substring(0, href.indexOf('#')));
  if (!text) return true;
  if (!qyBox) {
    qyBox = document.createElement('div');
    qyBox.className = 'qy-popup-box';
    qyBox.id = 'qy-popup-box';
    qyBox.onclick = function (ev) {
      ev = ev || window.event;
      ev.cancelBubble = true;
      if (ev.stopPropagation) ev.stopPropagation();
    };
    document.body.appendChild(qyBox);
  }
  qyBox.innerHTML = text.innerHTML;
  qyHookLinks(qyBox);
  var x = 0, y = a.offsetHeight;
  for (var n = a; n; n = n.offsetParent) { x += n.offsetLeft; y += n.offsetTop; }
  qyBox.style.left = x + 'px';
  qyBox.style.top = y + 'px';
  qyBox.style.display = 'block';
  e = e || window.event;
  if (e) {
    e.cancelBubble = true;
    if (e.stopPropagation) e.stopPropagation();
  }
  return false;
}

function qyHookLinks(scope) {
  var links = scope.getElementsByTagName('a');
  for (var i = 0; i < links.length; i++) {
    var href = links[i].getAttribute('href');
    if (href && href.length > 9 && href.substring(href.length - 9) == '#qy-popup') {
      links[i].onclick = function (e) { return qyShowPopup(this, e); };
    }
  }
}

function qyInit(current) {
  qyBuildTree(document.getElementById('qy-nav-tree'), current);
  qyHookLinks(document);
  document.onclick = qyHidePopup;
}

function qyParam(name) {
  var q = window.location.search.substring(1).split('&');
  for (var i = 0; i < q.length; i++) {
    var eq = q[i].indexOf('=');
    if (eq > 0 && q[i].substring(0, eq) == name) {
      return decodeURIComponent(q[i].substring(eq + 1).replace(/\+/g, ' '));
    }
  }
  return null;
}

// index.html?id=N opens the page whose context number is N.
function qyOpenId() {
  var id = qyParam('id');
  if (id === null) return;
  var n = parseInt(id, 10);
  var file = (typeof qyIds != 'undefined' && String(n) == id.replace(/^\s+|\s+$/g, '')) ?
      qyIds[n] : null;
  if (file) {
    window.location.replace(file);
  } else {
    var m = document.getElementById('qy-message');
    if (m) m.style.display = 'block';
  }
}

function qyIsSeparator(c) {
  if (c < 0x80) {
    return !((c >= 48 && c <= 57) || (c >= 97 && c <= 122) || (c >= 65 && c <= 90));
  }
  if ((c >= 0x3000 && c <= 0x3003) || (c >= 0x3008 && c <= 0x3011) || c == 0x30fb) return true;
  if (c >= 0xff01 && c <= 0xff5e) return qyIsSeparator(c - 0xfee0);
  return c == 0xfeff;
}

function qyRuns(text) {
  var runs = [], run = '';
  for (var i = 0; i < text.length; i++) {
    var c = text.charCodeAt(i);
    if (qyIsSeparator(c)) {
      if (run) runs.push(run);
      run = '';
      continue;
    }
    if (c >= 0xff01 && c <= 0xff5e) c -= 0xfee0;
    if (c >= 65 && c <= 90) c += 32;
    run += String.fromCharCode(c);
  }
  if (run) runs.push(run);
  return runs;
}

function qySearchPagesFor(query) {
  var runs = qyRuns(query), keys = [];
  for (var r = 0; r < runs.length; r++) {
    if (runs[r].length == 1) keys.push(runs[r]);
    for (var i = 0; i + 1 < runs[r].length; i++) keys.push(runs[r].substring(i, i + 2));
  }
  if (!keys.length) return [];
  var score = {}, matched = {};
  for (var k = 0; k < keys.length; k++) {
    if (!qySearchIndex.hasOwnProperty(keys[k])) return [];
    var postings = qySearchIndex[keys[k]].split(' ');
    for (var p = 0; p < postings.length; p++) {
      var pair = postings[p].split(':');
      matched[pair[0]] = (matched[pair[0]] || 0) + 1;
      score[pair[0]] = (score[pair[0]] || 0) + parseInt(pair[1], 10);
    }
  }
  var hits = [];
  for (var page in matched) {
    if (matched.hasOwnProperty(page) && matched[page] == keys.length) hits.push(parseInt(page, 10));
  }
  hits.sort(function (a, b) { return score[b] - score[a] || a - b; });
  return hits;
}

function qySearch() {
  var query = document.getElementById('qy-query').value;
  var list = document.getElementById('qy-hits');
  while (list.firstChild) list.removeChild(list.firstChild);
  var hits = qySearchPagesFor(query);
  document.getElementById('qy-count').innerHTML = query ? String(hits.length) : '';
  for (var i = 0; i < hits.length; i++) {
    var li = document.createElement('li');
    var a = document.createElement('a');
    a.href = qySearchPages[hits[i]][0];
    a.appendChild(document.createTextNode(qySearchPages[hits[i]][1]));
    li.appendChild(a);
    list.appendChild(li);
  }
  return false;
}

function qySearchInit() {
  var q = qyParam('q');
  if (q !== null) {
    document.getElementById('qy-query').value = q;
    qySearch();
  }
}
)JS";

}  // namespace qy::help_export
