// Show when the page was last changed
document.querySelectorAll('.last-modified').forEach(function (element) {
  element.textContent = new Date(document.lastModified).toLocaleDateString();
});
