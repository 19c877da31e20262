// Scroll smoothly back to the top of the page
document.querySelectorAll('a[href="#top"]').forEach(function (link) {
  link.addEventListener('click', function (event) {
    event.preventDefault();
    window.scrollTo({ top: 0, behavior: 'smooth' });
  });
});
