// Show Borders: a style element in the head outlines the tables (the stored
// HTML is the body's). A function: the caller appends its argument list.
(function (on) {
    var style = document.getElementById("tolvex-borders");
    if (!on) { if (style) style.parentNode.removeChild(style); return true; }
    if (style || !document.head) return true;
    style = document.createElement("style");
    style.id = "tolvex-borders";
    style.textContent = "table, td, th { outline: 1px dotted #8a8a8a; outline-offset: -1px; }";
    document.head.appendChild(style);
    return true;
})
