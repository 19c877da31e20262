// Ask before following links marked data-confirm
document.querySelectorAll('a[data-confirm]').forEach(function (link) {
  link.addEventListener('click', function (event) {
    if (!window.confirm(link.dataset.confirm))
      event.preventDefault();
  });
});
