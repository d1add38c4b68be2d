// "Justify": the paragraph or division at the selection, looked for at most
// two levels up, gets justified.
(function () {
    var s = window.getSelection();
    if (!s || s.rangeCount === 0) return false;
    var r = s.getRangeAt(0);
    var picked = tolvexDesign.pickedNode(r);
    var element = picked && picked.tagName ? picked : r.commonAncestorContainer;
    if (element && element.nodeType === 3) element = element.parentNode;
    for (var i = 0; i < 3 && element; ++i, element = element.parentElement)
        if (element.tagName === "P" || element.tagName === "DIV") { element.setAttribute("align", "justify"); return true; }
    return false;
})()
