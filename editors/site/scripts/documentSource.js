// The edited document's whole source, without the outlines of Show Borders,
// which belong to the view, not to the page.
(function () {
    var root = document.documentElement.cloneNode(true);
    var borders = root.querySelector('#tolvex-borders');
    if (borders) borders.parentNode.removeChild(borders);
    return (document.doctype ? new XMLSerializer().serializeToString(document.doctype) + '\n' : '') + root.outerHTML;
})()
