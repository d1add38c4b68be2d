// A selected picture or table is kept: the caret goes after it.
(function () {
    var s = window.getSelection();
    if (s && s.rangeCount > 0 && !s.isCollapsed) {
        var r = s.getRangeAt(0);
        var picked = tolvexDesign.pickedNode(r);
        if (tolvexDesign.isControl(picked))
            s.collapseToEnd();
    }
    return true;
})()
