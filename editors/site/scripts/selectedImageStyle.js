// The selected picture and its style attribute; the picture is kept for
// setSelectedImageStyle.js.
(function () {
    var s = window.getSelection();
    if (!s || s.rangeCount === 0) return {image: false};
    var r = s.getRangeAt(0);
    var picked = tolvexDesign.pickedNode(r);
    if (!picked || picked.tagName !== "IMG") return {image: false};
    window.tolvexShadowImage = picked;
    return {image: true, style: picked.getAttribute("style") || ""};
})()
