// The link just made around the selected control opens in the whole window.
(function () {
    var s = window.getSelection();
    if (!s || s.rangeCount === 0) return false;
    var element = s.getRangeAt(0).commonAncestorContainer;
    if (element && element.nodeType === 3) element = element.parentNode;
    for (var i = 0; i < 3 && element; ++i, element = element.parentElement)
        if (element.tagName === "A") { element.setAttribute("target", "_top"); return true; }
    return false;
})()
