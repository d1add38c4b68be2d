// A form the previewed page posts is sent as a query: the preview host makes
// pages from addresses, and never sees a request's body.
document.addEventListener("submit", function (event) {
    var form = event.target;
    if (!form || (form.getAttribute("method") || "get").toLowerCase() !== "post") return;
    event.preventDefault();
    var query = new URLSearchParams(new FormData(form)).toString();
    location.href = (form.action || location.href).split("?")[0] + "?" + query;
}, true);
